#include "record/frmRecord.h"

#include "platform/AudioInput.h"
#include "platform/TakePlayer.h"
#include "record/RecordTexts.h"
#include "record/TakeRecorder.h"
#include "record/WavFile.h"
#include "voice/VoiceReadings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTextPoints = 114;
constexpr int kLabelPoints = 28;
constexpr int kCellPoints = 22;
constexpr int kMeterRangeDb = 60;

QString kindColour(VoiceStore::Kind kind)
{
    switch (kind) {
    case VoiceStore::Kind::Own:
        return u"#80FF80"_s;
    case VoiceStore::Kind::Generated:
        return u"#FFFFFF"_s;
    case VoiceStore::Kind::None:
        break;
    }
    return u"#C0C0C0"_s;
}

QString cellStyle(VoiceStore::Kind kind, bool current)
{
    const QString colour = kindColour(kind);
    const QString border = current ? u"5px solid #1565C0"_s : u"1px solid #808080"_s;
    return u"QPushButton { background: %1; color: black; border: %2; }"_s.arg(colour, border);
}

QString kindName(VoiceStore::Kind kind)
{
    switch (kind) {
    case VoiceStore::Kind::Own:
        return QString::fromUtf16(RecordTexts::kOwnVoice);
    case VoiceStore::Kind::Generated:
        return QString::fromUtf16(RecordTexts::kGeneratedVoice);
    case VoiceStore::Kind::None:
        break;
    }
    return QString::fromUtf16(RecordTexts::kNoVoice);
}

// The cell colours and what they mean, as coloured boxes.
QString legendText()
{
    QString text;
    for (VoiceStore::Kind kind :
         {VoiceStore::Kind::Own, VoiceStore::Kind::Generated, VoiceStore::Kind::None}) {
        text +=
            u"<span style=\"background:%1; border:1px solid black\">&nbsp;&nbsp;&nbsp;&nbsp;</span> %2&nbsp;&nbsp;&nbsp;"_s
                .arg(kindColour(kind), kindName(kind));
    }
    return text;
}

QStringList adviceLines(const PcmTools::Take &take)
{
    if (take.silent)
        return {QString::fromUtf16(RecordTexts::kSilent)};
    QStringList lines;
    if (take.clipped)
        lines.append(QString::fromUtf16(RecordTexts::kClipped));
    if (take.tooQuiet)
        lines.append(QString::fromUtf16(RecordTexts::kTooQuiet));
    if (take.tooLong)
        lines.append(QString::fromUtf16(RecordTexts::kTooLong));
    return lines;
}

void setPoints(QWidget *widget, int points)
{
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

} // namespace

frmRecord::frmRecord(VoiceStore &store, const VoiceReadings &readings, AudioInput &input,
                     TakePlayer &player, QWidget *parent, const QStringList &answers)
    : QDialog(parent), m_store(store), m_readings(readings), m_input(input), m_player(player),
      m_recorder(new TakeRecorder(input, this)), m_pages(RecordPages::pages(readings, answers)),
      m_order(RecordPages::order(readings, answers))
{
    setObjectName(u"frmRecord"_s);
    setWindowTitle(QString::fromUtf16(RecordTexts::kCaption));
    QLayout *picker = createTextPicker();
    QLayout *take = createTakePanel();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(picker, 3);
    layout->addLayout(take, 2);
    connectRecorder();
    if (!m_input.isAvailable())
        lblStatus->setText(QString::fromUtf16(RecordTexts::kNoMicrophone));
    selectText(m_order.value(0));
}

QLayout *frmRecord::createTextPicker()
{
    auto *pageButtons = new QHBoxLayout;
    for (int i = 0; i < m_pages.size(); ++i) {
        QPushButton *button = addButton(u"cmdPage_%1"_s.arg(i), m_pages[i].caption);
        connect(button, &QPushButton::clicked, this, [this, i] { showPage(i); });
        pageButtons->addWidget(button);
    }
    m_cellGrid = new QGridLayout;
    m_cellGrid->setSpacing(2);
    auto *legend = new QLabel(legendText(), this);
    legend->setObjectName(u"lblLegend"_s);
    setPoints(legend, kCellPoints);
    auto *left = new QVBoxLayout;
    left->addLayout(pageButtons);
    left->addLayout(m_cellGrid, 1);
    left->addWidget(legend);
    return left;
}

QLayout *frmRecord::createTakePanel()
{
    lblText = new QLabel(this);
    lblText->setObjectName(u"lblText"_s);
    lblText->setAlignment(Qt::AlignCenter);
    setPoints(lblText, kTextPoints);
    lblReading = new QLabel(this);
    lblReading->setObjectName(u"lblReading"_s);
    lblReading->setAlignment(Qt::AlignCenter);
    setPoints(lblReading, kLabelPoints);
    barLevel = new QProgressBar(this);
    barLevel->setObjectName(u"barLevel"_s);
    barLevel->setRange(0, kMeterRangeDb);
    barLevel->setTextVisible(false);
    lblLength = new QLabel(this);
    lblLength->setObjectName(u"lblLength"_s);
    lblAdvice = new QLabel(this);
    lblAdvice->setObjectName(u"lblAdvice"_s);
    lblAdvice->setStyleSheet(u"color: #C00000;"_s);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(u"lblStatus"_s);
    for (QLabel *label : {lblLength, lblAdvice, lblStatus}) {
        label->setWordWrap(true);
        setPoints(label, kLabelPoints);
    }
    chkShare = new QCheckBox(QString::fromUtf16(RecordTexts::kShare), this);
    chkShare->setObjectName(u"chkShare"_s);
    chkShare->setChecked(true);
    chkShare->setFocusPolicy(Qt::NoFocus);
    setPoints(chkShare, kLabelPoints);
    connect(chkShare, &QCheckBox::toggled, this, &frmRecord::refreshControls);

    auto *right = new QVBoxLayout;
    right->addWidget(lblText, 1);
    right->addWidget(lblReading);
    right->addWidget(barLevel);
    right->addWidget(lblLength);
    right->addWidget(lblAdvice);
    right->addWidget(lblStatus);
    right->addWidget(chkShare);
    right->addLayout(createTakeButtons());
    return right;
}

QLayout *frmRecord::createTakeButtons()
{
    cmdRecord = addButton(u"cmdRecord"_s, QString::fromUtf16(RecordTexts::kRecord));
    cmdListen = addButton(u"cmdListen"_s, QString::fromUtf16(RecordTexts::kListen));
    cmdSave = addButton(u"cmdSave"_s, QString::fromUtf16(RecordTexts::kSave));
    cmdRetake = addButton(u"cmdRetake"_s, QString::fromUtf16(RecordTexts::kRetake));
    cmdPrev = addButton(u"cmdPrev"_s, QString::fromUtf16(RecordTexts::kPrevious));
    cmdNext = addButton(u"cmdNext"_s, QString::fromUtf16(RecordTexts::kNext));
    cmdRestore = addButton(u"cmdRestore"_s, QString::fromUtf16(RecordTexts::kRestore));
    cmdClose = addButton(u"cmdClose"_s, QString::fromUtf16(RecordTexts::kClose));
    connect(cmdRecord, &QPushButton::clicked, this, &frmRecord::cmdRecord_Click);
    connect(cmdListen, &QPushButton::clicked, this, &frmRecord::cmdListen_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmRecord::cmdSave_Click);
    connect(cmdRetake, &QPushButton::clicked, this, &frmRecord::cmdRetake_Click);
    connect(cmdPrev, &QPushButton::clicked, this, &frmRecord::cmdPrev_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmRecord::cmdNext_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmRecord::cmdRestore_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QGridLayout;
    const QList<QPushButton *> order{cmdRecord, cmdListen, cmdSave,    cmdRetake,
                                     cmdPrev,   cmdNext,   cmdRestore, cmdClose};
    for (int i = 0; i < order.size(); ++i)
        buttons->addWidget(order[i], i / 2, i % 2);
    return buttons;
}

void frmRecord::connectRecorder()
{
    connect(m_recorder, &TakeRecorder::levelChanged, this, [this](double db) {
        barLevel->setValue(std::clamp(int(db) + kMeterRangeDb, 0, kMeterRangeDb));
    });
    connect(m_recorder, &TakeRecorder::finished, this, &frmRecord::onTakeFinished);
}

frmRecord::~frmRecord()
{
    m_recorder->cancel();
    m_player.stop();
}

QPushButton *frmRecord::addButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    // Keys belong to the screen: Space and Enter must never press whichever button had focus.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    setPoints(button, kLabelPoints);
    return button;
}

QString frmRecord::currentText() const
{
    return m_order.value(m_index);
}

void frmRecord::selectText(const QString &text)
{
    const qsizetype index = m_order.indexOf(text);
    if (index < 0)
        return;
    m_recorder->cancel();
    m_player.stop();
    m_index = index;
    m_hasTake = false;
    lblText->setText(VoiceReadings::caption(text));
    lblReading->setText(m_readings.reading(text));
    lblLength->clear();
    lblAdvice->clear();
    barLevel->setValue(0);
    if (m_input.isAvailable())
        lblStatus->clear();
    const auto page = std::find_if(m_pages.cbegin(), m_pages.cend(),
                                   [&text](const RecordPage &p) { return p.cells.contains(text); });
    const int pageIndex = page == m_pages.cend() ? 0 : int(page - m_pages.cbegin());
    if (pageIndex != m_page)
        showPage(pageIndex);
    else
        refreshCells();
    refreshControls();
}

void frmRecord::showPage(int pageIndex)
{
    for (QPushButton *cell : std::as_const(m_cells))
        delete cell;
    m_cells.clear();
    m_page = pageIndex;
    const RecordPage &page = m_pages[pageIndex];
    for (int i = 0; i < page.cells.size(); ++i) {
        const QString &text = page.cells[i];
        QPushButton *cell = addButton(u"cmdCell_%1"_s.arg(i), VoiceReadings::caption(text));
        setPoints(cell, kCellPoints);
        cell->setMinimumSize(30, 40); // fifteen columns beside the controls fit 1024 pixels
        cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        cell->setEnabled(m_order.contains(text));
        connect(cell, &QPushButton::clicked, this, [this, text] { selectText(text); });
        m_cellGrid->addWidget(cell, i / page.columns, i % page.columns);
        m_cells.append(cell);
    }
    refreshCells();
}

void frmRecord::refreshCells()
{
    if (m_page < 0)
        return;
    // A cell shows its caption; the voice it stands for is the page's text ("cues/読む").
    const QStringList &texts = m_pages[m_page].cells;
    for (qsizetype i = 0; i < m_cells.size(); ++i) {
        const QString &text = texts[i];
        const VoiceStore::Kind kind =
            m_order.contains(text) ? m_store.kind(text) : VoiceStore::Kind::None;
        m_cells[i]->setStyleSheet(cellStyle(kind, text == currentText()));
        m_cells[i]->setAccessibleName(m_cells[i]->text() + u' ' + kindName(kind));
    }
}

void frmRecord::refreshControls()
{
    const bool recording = m_recorder->isRecording();
    cmdRecord->setEnabled(m_input.isAvailable());
    const QString recordCaption =
        QString::fromUtf16(recording ? RecordTexts::kStop : RecordTexts::kRecord);
    cmdRecord->setText(recordCaption);
    cmdRecord->setAccessibleName(recordCaption);
    cmdListen->setEnabled(m_hasTake && !recording);
    cmdSave->setEnabled(m_hasTake && !recording);
    cmdRetake->setEnabled(m_hasTake && !recording);
    cmdPrev->setEnabled(m_index > 0);
    cmdNext->setEnabled(m_index + 1 < m_order.size());
    const QStringList texts = affectedTexts();
    cmdRestore->setEnabled(
        !recording && std::any_of(texts.cbegin(), texts.cend(),
                                  [this](const QString &t) { return m_store.hasOriginal(t); }));
}

QStringList frmRecord::affectedTexts() const
{
    const QString text = currentText();
    if (text.isEmpty())
        return {};
    return chkShare->isChecked() ? m_readings.sharing(text) : QStringList{text};
}

void frmRecord::cmdRecord_Click()
{
    if (m_recorder->isRecording()) {
        m_recorder->stop();
        return;
    }
    if (!m_input.isAvailable())
        return;
    m_player.stop();
    m_hasTake = false;
    lblLength->clear();
    lblAdvice->clear();
    const bool started = m_recorder->start();
    lblStatus->setText(
        QString::fromUtf16(started ? RecordTexts::kRecording : RecordTexts::kCannotStart));
    refreshControls();
}

void frmRecord::onTakeFinished()
{
    const PcmTools::Take &take = m_recorder->take();
    // Stopped before a single sample arrived: nothing to hear or keep.
    m_hasTake = !take.samples.isEmpty();
    lblStatus->clear();
    lblLength->setText(
        QString::fromUtf16(RecordTexts::kSeconds).arg(take.lengthMs() / 1000.0, 0, 'f', 2));
    lblAdvice->setText(adviceLines(take).join(u'\n'));
    barLevel->setValue(0);
    m_player.play(take.samples, take.sampleRate);
    refreshControls();
}

void frmRecord::cmdListen_Click()
{
    if (!m_hasTake)
        return;
    const PcmTools::Take &take = m_recorder->take();
    m_player.play(take.samples, take.sampleRate);
}

bool frmRecord::cmdSave_Click()
{
    if (!m_hasTake || m_recorder->isRecording())
        return false;
    const PcmTools::Take &take = m_recorder->take();
    const QByteArray wav = WavFile::bytes(take.samples, take.sampleRate);
    QStringList failed;
    for (const QString &text : affectedTexts()) {
        if (!m_store.keep(text, wav))
            failed.append(text);
    }
    lblStatus->setText(failed.isEmpty() ? QString::fromUtf16(RecordTexts::kSaved)
                                        : QString::fromUtf16(RecordTexts::kSaveFailed) + u" (" +
                                              failed.join(u' ') + u')');
    refreshCells();
    refreshControls();
    return failed.isEmpty();
}

void frmRecord::cmdRetake_Click()
{
    m_hasTake = false;
    cmdRecord_Click();
}

void frmRecord::cmdPrev_Click()
{
    moveBy(-1);
}

void frmRecord::cmdNext_Click()
{
    moveBy(1);
}

void frmRecord::moveBy(int step)
{
    const qsizetype index = m_index + step;
    if (index < 0 || index >= m_order.size())
        return;
    selectText(m_order[index]);
}

void frmRecord::cmdRestore_Click()
{
    if (m_recorder->isRecording())
        return;
    QStringList failed;
    QStringList notVoices;
    for (const QString &text : affectedTexts()) {
        if (!m_store.hasOriginal(text))
            continue;
        switch (m_store.restore(text)) {
        case VoiceStore::Restored::Done:
            break;
        case VoiceStore::Restored::Failed:
            failed.append(text);
            break;
        case VoiceStore::Restored::NotAVoice:
            notVoices.append(text);
            break;
        }
    }
    QStringList status;
    if (!failed.isEmpty())
        status.append(QString::fromUtf16(RecordTexts::kRestoreFailed) + u" (" + failed.join(u' ') +
                      u')');
    if (!notVoices.isEmpty())
        status.append(QString::fromUtf16(RecordTexts::kOriginalNotAVoice) + u" (" +
                      notVoices.join(u' ') + u')');
    lblStatus->setText(status.isEmpty() ? QString::fromUtf16(RecordTexts::kRestored)
                                        : status.join(u'\n'));
    refreshCells();
    refreshControls();
}

void frmRecord::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            cmdRecord_Click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->isAutoRepeat() || m_recorder->isRecording())
            return;
        // Keep and move on; a take that could not be kept stays here with its notice.
        if (!m_hasTake) {
            cmdNext_Click();
        } else if (cmdSave_Click()) {
            cmdNext_Click();
            lblStatus->setText(QString::fromUtf16(RecordTexts::kSaved));
        }
        return;
    case Qt::Key_P:
        cmdListen_Click();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
