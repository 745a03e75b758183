#include "quick/Conversation.h"

#include "partner/PartnerSettings.h"
#include "partner/PartnerView.h"
#include "quick/QuickBand.h"
#include "quick/QuickSettings.h"
#include "quick/QuickSpeaker.h"
#include "quick/frmQuick.h"

#include <QPushButton>

Conversation::Conversation(QuickBand &band, Voice &voice, const QString &ownVoiceDir,
                           TextBox &composition, QWidget &window, SettingsStore &quickStore,
                           SettingsStore &partnerStore)
    : m_band(band), m_quickStore(quickStore), m_partnerStore(partnerStore),
      m_speaker(std::make_unique<QuickSpeaker>(voice, ownVoiceDir)),
      m_partner(std::make_unique<PartnerView>(composition, window, partnerStore))
{
    connect(&band, &QuickBand::answered, m_speaker.get(), &QuickSpeaker::say);
    connect(m_speaker.get(), &QuickSpeaker::said, m_partner.get(), &PartnerView::setSpoken);
    applyQuick();
    m_partner->restore();
}

Conversation::~Conversation() = default;

void Conversation::setSpeech(SpeechOutput *speech)
{
    m_speaker->setSpeech(speech);
}

void Conversation::spoken(const QString &sentence)
{
    m_partner->setSpoken(sentence);
}

void Conversation::openOptions(QWidget *parent, const Hold &hold)
{
    frmQuick dialog(hold(m_quickStore), hold(m_partnerStore), parent);
    dialog.exec();
}

void Conversation::applyOptions()
{
    applyQuick();
    m_partner->setOpen(PartnerSettings::read(m_partnerStore).on);
}

void Conversation::closePartner()
{
    m_partner->hide();
}

QStringList Conversation::answers() const
{
    QStringList shown;
    for (const QPushButton *b : m_band.buttons())
        if (!b->text().isEmpty() && m_speaker->canHaveOwnVoice(b->text()))
            shown.append(b->text());
    return shown;
}

void Conversation::applyQuick()
{
    const QuickSettings settings = QuickSettings::read(m_quickStore);
    const bool shown = settings.on && !settings.phrases.isEmpty();
    m_band.setPhrases(shown ? settings.phrases : QStringList());
    m_speaker->setPhrases(shown ? settings.phrases : QStringList());
    if (shown == m_band.isVisibleTo(m_band.parentWidget()))
        return;
    m_band.setVisible(shown);
    emit bandShownChanged(shown);
}
