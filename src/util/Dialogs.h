#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The one door to the operator: every message box, question, input box and file dialog
// goes through here. The real implementation shows Qt dialogs; tests script the answers
// and check the exact texts and titles.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~Dialogs() = default;

    // OK-only message box.
    virtual void message(const QString& text, const QString& title, Icon icon = Icon::None) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
    // Input box; std::nullopt when the operator cancels.
    virtual std::optional<QString> inputText(const QString& prompt, const QString& title,
                                             const QString& defaultText) = 0;
    // Save dialog; an empty result means cancelled.
    virtual QString saveFileName(const QString& caption, const QString& suggestedPath,
                                 const QString& filter) = 0;
    // Open dialog; an empty result means cancelled.
    virtual QString openFileName(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual void beep() = 0;

    // One question of a form: a text box, or a choice among `choices` when there are some.
    struct FormField {
        QString label;
        QString value;
        QStringList choices = {};
    };
    // Several questions in one window, answered together; std::nullopt when the operator
    // cancels. Without an operator to ask, the proposed values stand.
    virtual std::optional<QStringList> askForm(const QString& title, const QString& intro,
                                               const std::vector<FormField>& fields)
    {
        Q_UNUSED(title);
        Q_UNUSED(intro);
        QStringList values;
        for (const FormField& f : fields)
            values << f.value;
        return values;
    }
};
