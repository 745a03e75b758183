#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// A mono 16-bit PCM WAV file: the 44-byte RIFF header followed by the samples.
namespace WavFile {
QByteArray bytes(const QList<qint16> &samples, int sampleRate);
} // namespace WavFile
