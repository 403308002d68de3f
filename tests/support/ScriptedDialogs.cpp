#include "support/ScriptedDialogs.h"

#include <utility>

#include <gtest/gtest.h>

namespace {

// The next scripted answer; a dialog nobody scripted fails the test and gets `none`.
template <class T> T take(std::deque<T>& answers, const char* what, const QString& name, T none = {})
{
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted " << what << ": " << name.toStdString();
        return none;
    }
    T a = std::move(answers.front());
    answers.pop_front();
    return a;
}

} // namespace

void ScriptedDialogs::message(const QString& text, const QString& title, Icon)
{
    calls.push_back({Kind::Message, text, title, {}});
}

bool ScriptedDialogs::askYesNo(const QString& text, const QString& title)
{
    calls.push_back({Kind::YesNo, text, title, {}});
    if (whileAsking)
        std::exchange(whileAsking, nullptr)();
    return take(yesNoAnswers, "question", title + ": " + text, false);
}

std::optional<QString> ScriptedDialogs::inputText(const QString& prompt, const QString& title,
                                                  const QString& defaultText)
{
    calls.push_back({Kind::Input, prompt, title, defaultText});
    return take(inputAnswers, "input box", title);
}

std::optional<QStringList> ScriptedDialogs::askForm(const QString& title, const QString& intro,
                                                    const std::vector<FormField>& fields)
{
    QStringList shown;
    for (const FormField& f : fields)
        shown << f.label + QLatin1Char('=') + f.value;
    calls.push_back({Kind::Form, intro, title, shown.join(QLatin1Char('\n'))});
    auto a = take(formAnswers, "form", title);
    for (qsizetype i = 0; a && i < a->size() && i < static_cast<qsizetype>(fields.size()); ++i) {
        if ((*a)[i].isEmpty())
            (*a)[i] = fields[static_cast<size_t>(i)].value;
    }
    return a;
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& suggestedPath, const QString& filter)
{
    calls.push_back({Kind::SaveFile, caption, suggestedPath, filter});
    return take(fileAnswers, "save dialog", caption);
}

QString ScriptedDialogs::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    calls.push_back({Kind::OpenFile, caption, folder, filter});
    return take(fileAnswers, "open dialog", caption);
}

QStringList ScriptedDialogs::messages() const
{
    QStringList out;
    for (const auto& c : calls) {
        if (c.kind == Kind::Message)
            out << c.text;
    }
    return out;
}

const ScriptedDialogs::Call& ScriptedDialogs::last() const
{
    EXPECT_FALSE(calls.empty());
    return calls.back();
}

void ScriptedDialogs::clear()
{
    calls.clear();
    beeps = 0;
}
