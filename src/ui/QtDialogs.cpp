#include "ui/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

void QtDialogs::message(const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
    box.exec();
}

bool QtDialogs::askYesNo(const QString& text, const QString& title)
{
    return QMessageBox::question(m_parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::inputText(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString s = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return s;
}

QString QtDialogs::saveFileName(const QString& caption, const QString& suggestedPath, const QString& filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, suggestedPath, filter);
}

QString QtDialogs::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, folder, filter);
}

std::optional<QStringList> QtDialogs::askForm(const QString& title, const QString& intro,
                                              const std::vector<FormField>& fields)
{
    QDialog box(m_parent);
    box.setObjectName(QStringLiteral("formDialog"));
    box.setWindowTitle(title);
    auto* form = new QFormLayout(&box);
    if (!intro.isEmpty()) {
        auto* text = new QLabel(intro, &box);
        text->setWordWrap(true);
        form->addRow(text);
    }
    std::vector<QWidget*> editors;
    for (const FormField& f : fields) {
        QWidget* editor = nullptr;
        if (f.choices.isEmpty()) {
            auto* line = new QLineEdit(f.value, &box);
            line->setMinimumWidth(line->fontMetrics().averageCharWidth() * 30);
            editor = line;
        } else {
            auto* combo = new QComboBox(&box);
            combo->addItems(f.choices);
            combo->setCurrentText(f.value);
            editor = combo;
        }
        editors.push_back(editor);
        form->addRow(f.label, editor);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    form->addRow(buttons);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    QStringList values;
    for (QWidget* e : editors) {
        if (auto* line = qobject_cast<QLineEdit*>(e))
            values << line->text();
        else
            values << static_cast<QComboBox*>(e)->currentText();
    }
    return values;
}

void QtDialogs::beep()
{
    QApplication::beep();
}
