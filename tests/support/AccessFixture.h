#pragma once

#include "TalkFixture.h"
#include "access/AccessLayer.h"

#include <QCoreApplication>
#include <functional>

// Puts "Key=value" words (spaces between them) into a settings section.
inline void storeWords(MemorySettingsStore &store, const QString &words)
{
    for (const QString &word : words.split(u' ', Qt::SkipEmptyParts))
        store.values.insert(word.section(u'=', 0, 0), word.section(u'=', 1));
}

// The real window with the access layer on an in-memory "ACCESS" section, finding the pointer
// where the test puts it.
struct AccessFixture
{
    TalkFixture f;
    MemorySettingsStore access;
    QPoint pointer{-1, -1};

    // `settings`: "Key=value" words of "ACCESS"; OPT1, OPT3 … go to "OPT". `before` installs
    // what the layer is to find (prediction, conversation) on the new window.
    frmTalk &create(const QString &settings, const std::function<void(frmTalk &)> &before = {})
    {
        for (const QString &word : settings.split(u' ', Qt::SkipEmptyParts))
            storeWords(word.startsWith(u"OPT") ? f.settings : access, word);
        frmTalk &w = f.create();
        if (before)
            before(w);
        w.installAccess(access);
        layer().setPointerSource([this] { return pointer; });
        return w;
    }
    AccessLayer &layer() { return *f.window().access(); }
    // Lets `ms` pass on the fake clock, polling as the layer's timer does, with the event loop
    // between (where a selection's press runs).
    void pass(int ms)
    {
        QCoreApplication::sendPostedEvents();
        for (int left = ms; left > 0; left -= AccessLayer::kPollMs) {
            f.clock.advance(std::min(left, AccessLayer::kPollMs));
            layer().poll();
            QCoreApplication::sendPostedEvents();
        }
    }
};
