#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The stored options, as the settings load leaves them; everyone else only reads them.
struct Options
{
    std::array<QString, 7> gOptions; // slots 1..6: OPT1, OPT2, OPT3, Beep, Moji, Samp
    qint32 gMaxC = 9;
    qint16 gSample = 2;

    int opt1() const;
    int opt2() const;
    int opt3() const;
    bool beepOn() const { return gOptions[4] == QLatin1String("1"); }
    bool mojiOn() const { return gOptions[5] == QLatin1String("1"); }
    bool sampOn() const;
};

// Module state shared by the subsystems, owned by the application; each field is handed by
// reference to exactly the parts that use it. Touched only from the user-interface thread.
struct AppState
{
    Options options;
    qint32 gListRow = 0;  // the highlighted row of the list on show
    qint16 gStopRead = 0; // 0 or -1
    QString gCellText;    // armed main-board text; also the line buffer of list operations
    QStringList gSampleList{QString()};
    qint32 gDiaryRow = 0; // the row of the open diary entry
};

// The number a stored option text stands for: optional blanks and sign, then the leading
// digits ("01" is 1, "2x" is 2); text without a leading number is 0.
int optionNumber(const QString &text);
