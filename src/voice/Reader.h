#pragma once

#include <functional>

#include "compose/ComposeControls.h"

#include <QPointer>
#include <QString>

class QPushButton;
class QWidget;
class ScreenAreas;
class SpeechOutput;
class Voice;
class frmRead;
struct Options;
struct Services;

// "読む": reads the whole composition aloud with the stop panel. Touches "読む" and the
// composition (text, selection and sizes), asks the screen areas whether a diary entry is open,
// plays through the voice or the sentence speech, and owns a reading's stop flag (gStopRead).
class Reader
{
  public:
    Reader(QPushButton &cmdRead, const ComposeControls &compose, ScreenAreas &areas, Voice &voice,
           const Options &options, qint16 &stopRead, Services &services, QWidget &window);
    ~Reader();

    // Sentence speech for "読む", or nullptr to read character by character.
    void setSpeech(SpeechOutput *speech) { m_speech = speech; }
    // Told the text (without end markers) each time "読む" starts to read it.
    void setSaidListener(std::function<void(const QString &)> listener)
    {
        m_saidListener = std::move(listener);
    }
    void cmdRead_Click();

  private:
    // Plays the characters one by one from offset `first` until the end, an emptied text or a
    // stop request.
    void readCharacters(int first);
    // Ends the reading: closes the panel, ensures and selects the end marker, narrows the
    // area unless a diary entry is open, and enables "読む" again.
    void finishReading();

    QPushButton &m_cmdRead;
    const ComposeControls m_compose;
    ScreenAreas &m_areas;
    Voice &m_voice;
    const Options &m_options;
    qint16 &m_stopRead;
    Services &m_services;
    QWidget &m_window;
    SpeechOutput *m_speech = nullptr;
    std::function<void(const QString &)> m_saidListener;
    QPointer<frmRead> m_panel;
};
