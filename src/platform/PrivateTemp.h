#pragma once

#include <QString>
#include <QTemporaryDir>

// A folder of this run's own for short-lived files that may hold what the user wrote (the
// speech engine's input, waveform and trace), readable by the user only (0700). It lies in the
// user's runtime folder (XDG_RUNTIME_DIR) when that is the user's own and private, else in the
// temporary folder, else in /tmp; never where a missing TMPDIR would put it. Its name carries
// the process number, so that the folders of earlier runs that were killed before they could
// remove theirs are found and removed when the next one is made. Removed with the object.
class PrivateTemp
{
  public:
    explicit PrivateTemp(const QString &prefix);

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // The folder the private folders are made in.
    static QString base();

  private:
    QTemporaryDir m_dir;
};
