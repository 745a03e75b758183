#include "dialogs/frmOK.h"

#include "dialogs/DialogTexts.h"
#include "platform/DesignLayout.h"
#include "platform/UiText.h"
#include "platform/Units.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;
using DesignLayout::Face;

namespace {
constexpr qint64 kBack = 16744576;
constexpr qint64 kLeftBack = 16761024;
constexpr qint64 kRightBack = 12632319;
constexpr double kPoints = 48;
constexpr int kButtonTop = 2280;
constexpr int kButtonWidth = 4845;
constexpr int kButtonHeight = 2175;
constexpr int kLeftButtonLeft = 300;
constexpr int kRightButtonLeft = 6720;
constexpr int kCentredLeft = 3500;

} // namespace

frmOK::frmOK(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmOK"_s);
    setWindowTitle(text(DialogTexts::kCaption));
    setModal(true);
    DesignLayout::setBackColour(this, kBack);
    createControls();
    const double scale = parent ? DesignLayout::scale(parent) : 1.0;
    DesignLayout::setScale(this, scale);
    setFixedSize(Units::twipsToPixels(kDesignWidth, scale),
                 Units::twipsToPixels(kDesignHeight, scale));
}

frmOK::~frmOK() = default;

void frmOK::createControls()
{
    lblOK = new QLabel(text(DialogTexts::kLabel), this);
    lblOK->setObjectName(u"lblOK"_s);
    lblOK->setWordWrap(true);
    lblOK->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DesignLayout::setFont(lblOK, Face::PGothic, kPoints, true);
    DesignLayout::setBackColour(lblOK, kBack);
    DesignLayout::place(lblOK, QRect(240, 120, 11385, 1965));

    const char16_t *captions[] = {DialogTexts::kOk, DialogTexts::kCancel};
    const int lefts[] = {kLeftButtonLeft, kRightButtonLeft};
    const qint64 backs[] = {kLeftBack, kRightBack};
    for (int i = 0; i < 2; ++i) {
        cmdOK[i] = new QPushButton(text(captions[i]), this);
        cmdOK[i]->setObjectName(u"cmdOK_%1"_s.arg(i));
        cmdOK[i]->setAutoDefault(false);
        DesignLayout::setFont(cmdOK[i], Face::PGothic, kPoints, true);
        DesignLayout::setBackColour(cmdOK[i], backs[i]);
        DesignLayout::place(cmdOK[i], QRect(lefts[i], kButtonTop, kButtonWidth, kButtonHeight));
        connect(cmdOK[i], &QPushButton::clicked, this, [this, i] { cmdOK_Click(i); });
    }
}

void frmOK::arrange(int kind)
{
    switch (kind) {
    case kNotice:
        DesignLayout::setLeft(cmdOK[0], kCentredLeft);
        cmdOK[1]->hide();
        return;
    case kYesNo:
        cmdOK[0]->setText(text(DialogTexts::kYes));
        cmdOK[1]->setText(text(DialogTexts::kNo));
        return;
    case kOkCancel:
        cmdOK[0]->setText(text(DialogTexts::kWideOk));
        return;
    default:
        return;
    }
}

bool frmOK::ask(const QString &prompt, int kind, const QString &title)
{
    m_answer = false;
    arrange(kind);
    for (QPushButton *b : cmdOK)
        b->setAccessibleName(b->text());
    setWindowTitle(title);
    lblOK->setText(prompt);
    exec();
    return m_answer;
}

void frmOK::cmdOK_Click(int index)
{
    m_answer = index == 0;
    done(m_answer ? Accepted : Rejected);
}
