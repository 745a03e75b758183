#include "app/PredictOptions.h"

#include "app/OptionControls.h"
#include "app/OptionTexts.h"
#include "app/PredictionParts.h"
#include "dialogs/AskUser.h"
#include "dialogs/frmOK.h"
#include "platform/DesignLayout.h"
#include "platform/SettingsStore.h"
#include "platform/UiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;
using DesignLayout::Face;

PredictOptions::PredictOptions(QWidget &dialog, SettingsStore &settings, QuestionAsker &asker,
                               BusyPointer &busy, std::function<void()> forget)
    : QGroupBox(&dialog), m_settings(settings), m_asker(asker), m_busy(busy),
      m_forget(std::move(forget))
{
    setObjectName(u"frmPredict"_s);
    setTitle(text(PredictOptionTexts::kFrame));
    DesignLayout::setFont(this, Face::PGothic, 15.75, true);
    for (int i = 0; i < 2; ++i) {
        optPredict[i] = optionControl<QRadioButton>(this, u"optPredict_%1"_s.arg(i),
                                                    QRect(240, 360 + 480 * i, 6640, 360));
        optPredict[i]->setText(text(PredictOptionTexts::kMode[i]));
    }
    chkLearn = optionControl<QCheckBox>(this, u"chkLearn"_s, QRect(240, 1440, 6640, 360));
    chkLearn->setText(text(PredictOptionTexts::kLearn));
    cmdForget = new QPushButton(text(PredictOptionTexts::kForget), this);
    cmdForget->setObjectName(u"cmdForget"_s);
    cmdForget->setAccessibleName(cmdForget->text());
    cmdForget->setAutoDefault(false);
    DesignLayout::setFont(cmdForget, Face::PGothic, 12, false);
    DesignLayout::place(cmdForget, QRect(240, 2040, 5355, 525));
    connect(cmdForget, &QPushButton::clicked, this, &PredictOptions::cmdForget_Click);
    lblForget = optionControl<QLabel>(this, u"lblForget"_s, QRect(240, 2640, 6640, 360));
    lblForget->setText(text(PredictOptionTexts::kForgetPending));
    lblForget->hide();

    // A stored mode that is neither shows nothing on and is left as it is.
    const int mode = m_settings.read(QString::fromUtf16(PredictionParts::kMode), u"0"_s).toInt();
    if (mode == PredictionParts::kModeList || mode == PredictionParts::kModeStrip)
        optPredict[std::size_t(mode)]->setChecked(true);
    chkLearn->setChecked(
        m_settings.read(QString::fromUtf16(PredictionParts::kLearn), u"1"_s).toInt() != 0);
}

void PredictOptions::cmdForget_Click()
{
    if (!AskUser(m_asker, m_busy, window(), text(PredictOptionTexts::kForgetQuestion),
                 frmOK::kYesNo, title()))
        return;
    m_forgetting = true;
    lblForget->show();
}

bool PredictOptions::store()
{
    for (int mode : {PredictionParts::kModeList, PredictionParts::kModeStrip}) {
        if (optPredict[std::size_t(mode)]->isChecked())
            m_settings.write(QString::fromUtf16(PredictionParts::kMode), QString::number(mode));
    }
    m_settings.write(QString::fromUtf16(PredictionParts::kLearn),
                     chkLearn->isChecked() ? u"1"_s : u"0"_s);
    if (m_forgetting && m_forget)
        m_forget();
    m_forgetting = false;
    lblForget->hide();
    return m_settings.sync();
}
