#pragma once

#include "platform/ProgramFolders.h"

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
    ProgramFolders folders; // where the data and voice files are
};
