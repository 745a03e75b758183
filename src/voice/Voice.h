#pragma once

#include <QString>

class frmTalk;

// Speaks one text by its voice file, under the voice mode.
class Voice
{
public:
    explicit Voice(frmTalk &talk);
    ~Voice();

    void SpeakChar(const QString &character, float waitSeconds, const QString &kind);
    // Sends the playback command sequence for the voice file of `text` (no wait).
    void play(const QString &text);
    // The voice file of a text: program folder, separator, text, ".wav".
    QString voiceFile(const QString &text) const;

private:
    frmTalk &m_talk;
};
