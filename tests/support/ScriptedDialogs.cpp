#include "support/ScriptedDialogs.h"

#include <utility>

#include <gtest/gtest.h>

void ScriptedDialogs::message(const QString& text, const QString& title, Icon)
{
    calls.push_back({Kind::Message, text, title, {}});
}

bool ScriptedDialogs::askYesNo(const QString& text, const QString& title)
{
    calls.push_back({Kind::YesNo, text, title, {}});
    if (whileAsking)
        std::exchange(whileAsking, nullptr)();
    if (yesNoAnswers.empty()) {
        ADD_FAILURE() << "unscripted question: " << title.toStdString() << ": " << text.toStdString();
        return false;
    }
    const bool a = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return a;
}

std::optional<QString> ScriptedDialogs::inputText(const QString& prompt, const QString& title,
                                                  const QString& defaultText)
{
    calls.push_back({Kind::Input, prompt, title, defaultText});
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "unscripted input box: " << title.toStdString();
        return std::nullopt;
    }
    auto a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
}

std::optional<QStringList> ScriptedDialogs::askForm(const QString& title, const QString& intro,
                                                    const std::vector<FormField>& fields)
{
    QStringList shown;
    for (const FormField& f : fields)
        shown << f.label + QLatin1Char('=') + f.value;
    calls.push_back({Kind::Form, intro, title, shown.join(QLatin1Char('\n'))});
    if (formAnswers.empty()) {
        ADD_FAILURE() << "unscripted form: " << title.toStdString();
        return std::nullopt;
    }
    auto a = formAnswers.front();
    formAnswers.pop_front();
    if (a) {
        for (int i = 0; i < a->size() && i < static_cast<int>(fields.size()); ++i) {
            if ((*a)[i].isEmpty())
                (*a)[i] = fields[static_cast<size_t>(i)].value;
        }
    }
    return a;
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& suggestedPath, const QString& filter)
{
    calls.push_back({Kind::SaveFile, caption, suggestedPath, filter});
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted save dialog: " << caption.toStdString();
        return {};
    }
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString ScriptedDialogs::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    calls.push_back({Kind::OpenFile, caption, folder, filter});
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted open dialog: " << caption.toStdString();
        return {};
    }
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
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
