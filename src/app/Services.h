#pragma once

#include <QString>

class Beeper;
class BusyPointer;
class Clipboard;
class Clock;
class EventPump;
class QuestionAsker;
class SettingsStore;
class WaveDevice;

// The platform services the window works through; the application hands in the real ones,
// tests hand in recording stand-ins.
struct Services
{
    Clock &clock;
    EventPump &events;
    Beeper &beeper;
    Clipboard &clipboard;
    WaveDevice &wave;
    SettingsStore &settings;
    BusyPointer &busy;
    QuestionAsker &asker;
    QString appPath; // the program folder, without trailing separator
};
