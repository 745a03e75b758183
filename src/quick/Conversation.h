#pragma once

#include <QObject>
#include <memory>

class PartnerView;
class QWidget;
class QuickBand;
class QuickSpeaker;
class SettingsStore;
class SpeechOutput;
class TextBox;
class Voice;
struct Services;

// What a conversation adds to the window: the quick answers and the partner's view. Reads
// sections "QUICK" and "PARTNER", says the answers pressed on the band, tells the partner's view
// each sentence said, and edits both in "よく使う答え…".
class Conversation : public QObject
{
    Q_OBJECT

  public:
    Conversation(QuickBand &band, Voice &voice, const QString &ownVoiceDir, TextBox &composition,
                 QWidget &window, SettingsStore &quickStore, SettingsStore &partnerStore,
                 Services &services);
    ~Conversation() override;

    void setSpeech(SpeechOutput *speech);
    // A sentence said some other way ("読む"), for the partner's view.
    void spoken(const QString &sentence);
    // "よく使う答え…", modal over `parent`; applies what it confirms.
    void openOptions(QWidget *parent);
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
    Services &m_services;
    std::unique_ptr<QuickSpeaker> m_speaker;
    std::unique_ptr<PartnerView> m_partner;
};
