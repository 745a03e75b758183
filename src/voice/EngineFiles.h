#pragma once

#include <QString>

// Where the speech engine's three pieces are, each from its own Debian package.
struct EngineFiles
{
    QString program;    // open_jtalk (package open-jtalk)
    QString dictionary; // folder of the dictionary (open-jtalk-mecab-naist-jdic)
    QString voice;      // the .htsvoice file (hts-voice-nitech-jp-atr503-m001, in contrib)

    // Where Debian installs them; the program is looked up on the PATH.
    static EngineFiles debian();
    // The package of the first piece that is missing; empty when all three are there.
    QString missingPackage() const;
};
