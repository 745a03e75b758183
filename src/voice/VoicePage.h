#pragma once

#include "voice/SpeechSettings.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class SettingsStore;
class SpeechOutput;

// The reading settings on the "声" tab: how "読む" reads, and the speed, pitch and volume of
// sentence speech, each with "試す", which says a sample at once with the values shown.
class VoicePage : public QWidget
{
    Q_OBJECT

  public:
    // `store` holds the "VOICE" values shown and written (the options dialog holds them until
    // its "確定"); `playCharacter` plays one character's voice, for trying the character reading.
    VoicePage(SpeechOutput &speech, SettingsStore &store,
              std::function<void(const QString &)> playCharacter, QWidget *parent = nullptr);
    ~VoicePage() override;

    // The values shown, as they would be stored.
    SpeechSettings shown() const;
    // Writes the values shown to the page's store.
    void save();
    // Says the sample with the values shown: by the engine, or character by character when
    // that reading is chosen and `row` is the mode's row (0).
    void tryOut(int row);

    QRadioButton *optCharacters = nullptr;
    QRadioButton *optSentences = nullptr;
    QLabel *lblMissing = nullptr;
    QSpinBox *spnSpeed = nullptr;
    QSpinBox *spnPitch = nullptr;
    QSpinBox *spnVolume = nullptr;
    std::array<QPushButton *, 4> cmdTry{}; // mode, speed, pitch, volume

  private:
    void createControls(const SpeechSettings &stored);
    void playNextCharacter();

    SpeechOutput &m_speech;
    SettingsStore &m_store;
    std::function<void(const QString &)> m_playCharacter;
    quint64 m_request = 0;
    QStringList m_charactersLeft;
    QTimer m_characterStep;
};
