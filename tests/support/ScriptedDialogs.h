#pragma once

#include "support/QtPrinters.h"
#include "util/Dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Records every dialog the code under test opens and answers from scripts. A dialog asked
// for without a scripted answer fails the test (No / Cancel is returned).
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, YesNo, Input, SaveFile, OpenFile, Form };
    struct Call {
        Kind kind;
        QString text;  // message, question or prompt; caption for file dialogs
        QString title; // title; suggested path or folder for file dialogs
        QString extra; // default text of an input box; filter of a file dialog; a form's "label=value" lines
    };

    void message(const QString& text, const QString& title, Icon icon = Icon::None) override;
    bool askYesNo(const QString& text, const QString& title) override;
    std::optional<QString> inputText(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString saveFileName(const QString& caption, const QString& suggestedPath, const QString& filter) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
    std::optional<QStringList> askForm(const QString& title, const QString& intro,
                                       const std::vector<FormField>& fields) override;
    void beep() override { ++beeps; }

    // Scripted answers, used in order.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<QString> fileAnswers;
    // A form's answers; an empty string in a row keeps that field's proposed value.
    std::deque<std::optional<QStringList>> formAnswers;

    // Run while a question is open, as the event loop of a modal dialog would run a network callback.
    std::function<void()> whileAsking;

    std::vector<Call> calls;
    int beeps = 0;

    // The texts of all message boxes, in order.
    QStringList messages() const;
    // The last call, which must exist.
    const Call& last() const;
    void clear();
};
