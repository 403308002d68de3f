#pragma once

#include <QByteArray>
#include <QString>

// SharedUserPreferences.xml: a declaration line followed by flat elements, one per line,
// <TAG>value</TAG>, tag names upper case. The whole file is edited as text, byte for byte, so
// that whatever another program put in the file survives our edits.
class SharedPreferences {
public:
    static QByteArray declaration();

    // Reads the file (dropping the line end the writer added) or starts from the declaration
    // alone when there is no file. The path is kept for saving.
    void LoadSharedPreferences(const QString& path);
    // Replaces the tag's value, or appends a new element on its own line.
    void SetSharedPreference(const QString& tag, const QString& value, bool saveNow);
    // Writes the text and one CR LF. False when the file cannot be written.
    bool SaveSharedPreferences(const QString& path) const;
    bool save() const { return SaveSharedPreferences(m_path); }

    // The value of a tag, empty when it is absent.
    QString value(const QString& tag) const;
    const QByteArray& document() const { return m_doc; }
    const QString& path() const { return m_path; }

private:
    QByteArray m_doc = declaration();
    QString m_path;
};
