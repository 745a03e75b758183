#pragma once

#include "platform/PcmClip.h"
#include "voice/EngineTrace.h"

#include <memory>

// One part as the engine made it: its sound, trimmed to the speech with a short lead-in and
// tail, and when each mora sounds from the clip's start.
struct SpokenPart
{
    enum class Outcome
    {
        Made,
        Silent, // nothing in it the engine can say
        Failed, // the engine failed, crashed or ran out of time
    };

    Outcome outcome = Outcome::Failed;
    std::shared_ptr<const PcmClip> clip;
    QList<EngineTrace::Mora> morae;
};
