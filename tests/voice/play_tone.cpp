// Plays a tone as the program plays its voices, in a process of its own that a listening test
// can stop and resume: play_tone HZ MS. Prints a line once the tone is asked for; exits when its
// input ends.
#include "platform/PcmPlayer.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int hz = app.arguments().value(1).toInt();
    const int ms = app.arguments().value(2).toInt();
    PcmPlayer player("voice");
    player.play(std::make_shared<const PcmClip>(makeTone(hz, ms, 0.5, 48000)));
    std::puts("playing");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
