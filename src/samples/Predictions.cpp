#include "samples/Predictions.h"

#include "app/frmTalk.h"

Predictions::Predictions(frmTalk &talk) : m_talk(talk) {}

Predictions::~Predictions() = default;
