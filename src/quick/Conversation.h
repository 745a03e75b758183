#pragma once

#include <QObject>
#include <functional>
#include <memory>

class PartnerView;
class QWidget;
class QuickBand;
class QuickSpeaker;
class SettingsStore;
class SpeechOutput;
class TextBox;
class Voice;

// What a conversation adds to the window: the quick answers and the partner's view. Reads
// sections "QUICK" and "PARTNER", says the answers pressed on the band, tells the partner's view
// each sentence said, and edits both in "よく使う答え…".
class Conversation : public QObject
{
    Q_OBJECT

  public:
    // The store that holds what "よく使う答え…" confirms for the given one, until it is stored.
    using Hold = std::function<SettingsStore &(SettingsStore &)>;

    Conversation(QuickBand &band, Voice &voice, const QString &ownVoiceDir, TextBox &composition,
                 QWidget &window, SettingsStore &quickStore, SettingsStore &partnerStore);
    ~Conversation() override;

    void setSpeech(SpeechOutput *speech);
    // A sentence said some other way ("読む"), for the partner's view.
    void spoken(const QString &sentence);
    // "よく使う答え…", modal over `parent`: what it confirms goes to the stores `hold` gives
    // for "QUICK" and "PARTNER", and applies once stored, by applyOptions().
    void openOptions(QWidget *parent, const Hold &hold);
    // Shows the quick answers and opens or closes the partner's view as stored now.
    void applyOptions();
    // Closes the partner's view with the program, leaving its setting as it is.
    void closePartner();
    // The answers shown that can be recorded (none while they are off).
    QStringList answers() const;

    QuickSpeaker &speaker() { return *m_speaker; }
    PartnerView &partner() { return *m_partner; }

  signals:
    // The band was shown or hidden: the window's height changes.
    void bandShownChanged(bool shown);

  private:
    void applyQuick();

    QuickBand &m_band;
    SettingsStore &m_quickStore;
    SettingsStore &m_partnerStore;
    std::unique_ptr<QuickSpeaker> m_speaker;
    std::unique_ptr<PartnerView> m_partner;
};
