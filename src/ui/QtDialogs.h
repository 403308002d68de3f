#pragma once

#include "util/Dialogs.h"

class QWidget;

// Dialogs shown with Qt's message, input and file dialogs.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& title, Icon icon = Icon::None) override;
    bool askYesNo(const QString& text, const QString& title) override;
    std::optional<QString> inputText(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString saveFileName(const QString& caption, const QString& suggestedPath, const QString& filter) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
    std::optional<QStringList> askForm(const QString& title, const QString& intro,
                                       const std::vector<FormField>& fields) override;
    void beep() override;

private:
    QWidget* m_parent;
};
