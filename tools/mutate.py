#!/usr/bin/env python3
"""Measures what the test suite catches: plants hand-made faults one at a time and runs ctest.

Each fault is a small exact search/replace in one source file. The tree under test is copied
into one reusable folder (default <tree>/build-mutate: the copy in src-copy/, its build in
build/); the working tree is never changed. Per fault the script restores the previous
fault's file, applies the next, rebuilds incrementally (non-sanitized Debug, ccache, nice)
and runs every ctest test with a per-test timeout, then prints the tests that failed. In the
copy the program library is built shared, so a fault recompiles one file and relinks one
library instead of every test executable.

  nice -n 19 tools/mutate.py                       # every fault against this tree
  nice -n 19 tools/mutate.py --tree ../other-tree  # against another checkout
  tools/mutate.py --list                           # faults and whether their anchors match
  tools/mutate.py --only 3,17                      # just these faults
  tools/mutate.py --tests 'samplescreen|frmok'     # run only these tests
  TALK_SOAK_STEPS=1000 tools/mutate.py --exclude soak_seed  # a shorter soak, one seed
  tools/mutate.py --room-first                     # each fault's own room's tests first

With --room-first a fault is run against the tests of its own room (and those that test the room
from the window) and, only when it survives them, against the rest: the killers listed are then
those of the first set that killed it, and a run takes a fraction of the time.

The tests that listen to real sound skip without a sound server: start the test server first
(source tools/setup.sh; source tools/test_sound_server.sh; talk_sound_server_start).
"""

import argparse
import concurrent.futures
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass


@dataclass
class Fault:
    path: str  # relative to src/
    what: str
    edits: list  # (search, replace) pairs, each search occurring exactly once


def f(path, what, *edits):
    return Fault(path, what, list(edits))


FAULTS = [
    # boards
    f("boards/BoardEntry.cpp", "selection window: right neighbour shown one column short",
      ("col <= kLastColumnWithRightNeighbour}", "col < kLastColumnWithRightNeighbour}")),
    f("boards/BoardEntry.cpp", "end marker not appended on entry",
      ("if (!result.endsWith(TextArea::kEndMarker))", "if (false)")),
    f("boards/BoardEntry.cpp", "armed cell painted light green instead of silver",
      ("Units::Colour::Silver : Units::Colour::LightGreen",
       "Units::Colour::LightGreen : Units::Colour::Silver")),
    f("boards/BoardEntry.cpp", "caret left before the entered character",
      ("box.setSelStart(p + int(s.size()));", "box.setSelStart(p);")),
    f("boards/BoardEntry.cpp", "direct entry mode only speaks",
      ("paintCurrent(board, Units::kSystemDesktopColour);\n        enterFromBoard(t);",
       "paintCurrent(board, Units::kSystemDesktopColour);\n        speak(t, kKindEnter);")),
    f("boards/BoardTables.cpp", "two hiragana cells swapped",
      ('u"よ", u"ー", u"？"}', 'u"よ", u"？", u"ー"}')),
    f("boards/MakeBoard.cpp", "wide board drops the last voiced row",
      ("for (int k = 10; k <= 14; ++k)", "for (int k = 10; k < 14; ++k)")),
    f("boards/ConvertChar.cpp", "つ loses its small form on the left",
      ("{u'つ', u'づ', u'っ'}", "{u'つ', u'づ', 0}")),
    # compose
    f("compose/CaretSteps.cpp", "→ at the last character selects it again, not the marker",
      ("box.select(length, 1);", "box.select(length - 1, 1);")),
    f("compose/CaretSteps.cpp", "ＢＳ deletes the character after the caret",
      ("removeAt(box, start - 1, 1);", "removeAt(box, start, 1);")),
    f("compose/CaretSteps.cpp", "← steps two characters",
      ("box.select(start - 1, 1);\n    return Then::Repeat;",
       "box.select(std::max(start - 2, 0), 1);\n    return Then::Repeat;")),
    f("compose/EditPad.cpp", "copy takes only the first character",
      ("clipboard.setText(m_controls.txtTalk->text());",
       "clipboard.setText(m_controls.txtTalk->text().left(1));")),
    f("compose/EditPad.cpp", "paste puts the text in front",
      ("setText(m_controls.txtTalk->text() + pasted);",
       "setText(pasted + m_controls.txtTalk->text());")),
    f("compose/TextArea.cpp", "end marker never restored",
      ("setText(text + QChar(kEndMarker));", "setText(text);")),
    # voice
    f("voice/Voice.cpp", "voice mode 2 speaks on every press",
      ("case 2:\n        return enter;", "case 2:\n        return true;")),
    f("voice/Reader.cpp", "reading step of 0.7 s",
      ("kStepMs = 800;", "kStepMs = 700;")),
    # predict
    f("predict/BestWords.h", "a word passed over never sinks",
      ("score *= sunk(times);", "score *= 1.0;")),
    f("predict/LearnedSaver.cpp", "the learned words' file loses the changes made since its copy",
      ("            m_copy.apply(c);", "            (void)c;")),
    f("predict/LearnedSaver.cpp", "passed-over words waiting at the end are never written",
      ("if (!m_writeWanted && m_waiting.empty())", "if (!m_writeWanted)")),
    f("predict/PredictSession.cpp", "forgetting before the file is read keeps the file's words",
      ("m_forgotten = !m_ready;", "m_forgotten = false;")),
    f("platform/DesignButton.cpp", "a long candidate stands one character a line, too small to read",
      ("        !oneLine && metrics", "        (oneLine || true) && metrics")),
    # app (predictions)
    f("app/PredictOptions.cpp", "forgetting asked for and confirmed does nothing",
      ("if (m_forgetting && m_forget)", "if (false)")),
    f("app/PredictionParts.cpp", "the strip shown over the text instead of below it",
      ("on ? PredictStrip::kHeightTwips : 0", "0")),
    # samples
    f("samples/ListStepper.cpp", "↓ steps past the last row",
      ("if (listRow + 1 >= t.grid->rows())", "if (listRow >= t.grid->rows())")),
    f("samples/Predictions.cpp", "prediction key one character late (takes the end marker)",
      ("t.sliced(t.size() - 1 - g, g)", "t.sliced(t.size() - g, g)")),
    f("samples/Predictions.cpp", "picked prediction loses its end marker",
      ("result = sentence + TextArea::kEndMarker;", "result = sentence;")),
    f("samples/SampleFile.cpp", "wrong group label for ま",
      ("{u'ま', u'も', u\"ま行\"}", "{u'ま', u'も', u\"や行\"}")),
    f("samples/SampleFile.cpp", "sample list sorted descending",
      ("grid.sort(7);", "grid.sort(8);")),
    f("samples/SampleFile.cpp", "unreadable sample file overwritten on save",
      ("if (m_unreadable || !keepDamagedOriginal", "if (false || !keepDamagedOriginal")),
    f("samples/SampleLines.cpp", "sample lines saved without quotes",
      ("return u'\"' + rowText + u'\"';", "return rowText;")),
    f("samples/SampleScreen.cpp", "duplicate check misses the last row",
      ("for (int r = 0; r < grid.rows(); ++r) {\n        if (trimSpaces",
       "for (int r = 0; r + 1 < grid.rows(); ++r) {\n        if (trimSpaces")),
    f("samples/SampleScreen.cpp", "delete without confirmation",
      ("if (!ask(SampleTexts::kDeleteQuestion, frmOK::kOkCancel, SampleTexts::kDeleteTitle))\n"
       "        return;\n",
       "ask(SampleTexts::kDeleteQuestion, frmOK::kOkCancel, SampleTexts::kDeleteTitle);\n")),
    # diary
    f("diary/DiaryFile.cpp", "diary stamp day and month swapped",
      ('u"yy.MM.dd"_s', 'u"yy.dd.MM"_s')),
    f("diary/DiaryFile.cpp", "save drops the oldest diary line",
      ("for (int r = 0; r < grid.rows(); ++r) {\n        const QString t = r == diaryRow",
       "for (int r = 0; r + 1 < grid.rows(); ++r) {\n        const QString t = r == diaryRow")),
    f("diary/DiaryFile.cpp", "end marker saved into the diary",
      ("entry.chop(1);", "entry.chop(0);")),
    f("diary/DiaryFile.cpp", "diary sorted oldest first",
      ("grid.sort(8);", "grid.sort(7);")),
    f("core/ScreenAreas.cpp", "△▽ do nothing on the diary list",
      ("{Area::Predictions, Area::Samples, Area::Diary}", "{Area::Predictions, Area::Samples}")),
    f("diary/DiaryLines.cpp", "diary line written without the separating space",
      ("stamp + u' ' + text", "stamp + text")),
    f("samples/SampleScreen.cpp", "failed diary save reported as saved",
      ("&&\n                !m_diary.SaveDiary(box.text()))",
       "&&\n                (m_diary.SaveDiary(box.text()), false))")),
    # dialogs
    f("dialogs/frmOK.cpp", "frmOK answers yes for the right button",
      ("m_answer = index == 0;", "m_answer = index == 1;")),
    f("dialogs/frmOK.cpp", "yes/no question shows no on both buttons",
      ("cmdOK[0]->setText(text(DialogTexts::kYes));", "cmdOK[0]->setText(text(DialogTexts::kNo));")),
    # app
    f("core/Settings.cpp", "gMaxC of 10 accepted",
      ("if (maxC == 10 || maxC < 9)", "if (maxC < 9)")),
    f("core/Settings.cpp", "Sample clamped to 1..6",
      ("1, 5));", "1, 6));")),
    f("app/frmOPT.cpp", "options dialog writes the beep setting as Moji",
      ('Settings::save(store, u"Beep"_s,', 'Settings::save(store, u"Moji"_s,')),
    f("app/frmOPT.cpp", "options dialog stores Sample one low",
      ("cmbSample->currentIndex() + 1);", "cmbSample->currentIndex());")),
    f("core/AppState.cpp", "negative settings read as positive",
      ("negative = text[i] == u'-';", "negative = false;")),
    f("app/frmTalk.cpp", "戻る leaves the selection screen open",
      ("txtTalk->setFocus();\n    m_areas->hide(ScreenAreas::Area::Selection);",
       "txtTalk->setFocus();")),
    # platform
    f("platform/ProgramFolders.cpp", "adopting a data file writes through a link leading nowhere",
      ("found.exists() || found.isSymLink() ||", "found.exists() ||")),
    f("platform/SingleInstance.cpp", "a first instance without an answer socket reported hung",
      ("socketPath.isEmpty() || answers(socketPath)", "answers(socketPath)")),
    f("platform/PrivateFolder.cpp", "someone else's folder taken as private",
      ("||\n        found.st_uid != geteuid())", ")")),
    f("platform/TextFile.cpp", "save not atomic (the old file truncated and written in place first)",
      ("QSaveFile file(path);\n    file.setDirectWriteFallback(false);",
       "{\n        QFile direct(path);\n"
       "        if (!direct.open(QIODevice::WriteOnly | QIODevice::Truncate) ||\n"
       "            direct.write(bytes) != bytes.size())\n            return false;\n    }\n"
       "    QSaveFile file(path);\n    file.setDirectWriteFallback(false);")),
    f("platform/TextFile.cpp", "text files written in EUC-JP",
      ('cp932Name[] = "windows-31j";', 'cp932Name[] = "EUC-JP";')),
    f("platform/TextFile.cpp", "UTF-8 fallback written without byte-order mark",
      ("return utf8Bom.toByteArray() + text.toUtf8();", "return text.toUtf8();")),
    f("platform/TextFile.cpp", "lines end in LF only",
      ("        *out++ = '\\r';\n", "")),
    f("platform/Units.cpp", "colours read as RGB instead of BGR",
      ("QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF))",
       "QColor(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF))")),
    # access
    f("access/ScanEngine.cpp", "one debounce for both switches (A then B quickly loses B)",
      ("m_lastAccepted[which == Switch::A ? 0 : 1]", "m_lastAccepted[0]")),
    f("access/ScanEngine.cpp", "the first item of a long row gets no extra time",
      ("index == 0 && level().children.size() >= 3", "index == 1 && level().children.size() >= 3")),
    f("access/ScanEngine.cpp", "the scan runs one round more than set",
      ("if (++m_rounds >= m_timing.loops)", "if (++m_rounds > m_timing.loops)")),
    f("access/SwitchFilter.cpp", "three Escapes toggle the switches instead of four",
      ("kEscapesToToggle = 4;", "kEscapesToToggle = 3;")),
    f("access/HeldInputs.cpp", "a held key's unmarked repeat (X11) is taken as a new press",
      ("    if (hold.releasedAtMs < 0 || m_clock.nowMs() - hold.releasedAtMs >= kSettleMs)\n        return false;",
       "    return false;")),
    f("access/HeldInputs.cpp", "a new press queued behind a busy window thread is taken as the held key's repeat",
      ("return !timed || eventMs - hold.releaseEventMs < kSettleMs;", "return true;")),
    f("access/CallBell.h", "a second tap just after the chime began stops it",
      ("kStopAfterMs = 1000;", "kStopAfterMs = 0;")),
    f("access/frmAccess.cpp", "a switch giving up a key gets the other's keys as first shown (the call key among them)",
      ("            other->setKeys(before);", "            other->setKeys(i == 0 ? m_settings.switchAKeys : m_settings.switchBKeys);")),
    f("access/AccessSettings.cpp", "switch B left with no key when switch A holds all of B's",
      ("    if (b.isEmpty())\n        b = without(defaultB, a);\n", "")),
    f("access/AccessSettings.cpp", "a switch key stored as the call key rings at every press",
      ("    if ((a + b).contains(settings.callKeyCode()))\n        settings.callKey = QString::fromUtf16(kDefaultCallKey);\n", "")),
    f("access/frmAccess.cpp", "the dialog keeps a call hold that a selecting hold reaches",
      ("    if (holdsClash)\n        return;", "")),
    f("platform/PressGuard.h", "the press guard's settling time cut to a tenth",
      ("kSettleMs = 300;", "kSettleMs = 30;")),
    f("access/SwitchFilter.cpp", "a held switch key repeats presses",
      ("    if (isKey(type) && static_cast<const QKeyEvent *>(event)->isAutoRepeat())\n        return true;\n",
       "")),
    f("access/SwitchFilter.cpp", "a switch with a hold time acts on a short press",
      ("heldMs >= m_inputs.holdMs", "heldMs >= 0")),
    f("access/SwitchFilter.cpp", "a mouse button taken as switch A still clicks what it is on",
      ("        m_holds.release(slot(*which), eventMs);\n    }\n    return true;",
       "        m_holds.release(slot(*which), eventMs);\n    }\n    return isKey(type);")),
    f("access/SwitchKeys.cpp", "an arrow key may be a switch",
      ("        return AccessTexts::kArrowRefused;", "        return nullptr;")),
    f("access/SwitchKeys.cpp", "stored switch keys joined with a bare comma",
      ("    return sequence.toString(QKeySequence::PortableText);",
       "    return sequence.toString(QKeySequence::PortableText).replace(QStringLiteral(\", \"), QStringLiteral(\",\"));")),
    f("access/AccessLayer.cpp", "the next item is timed without its cue",
      ("    m_engine->lengthen(int(startMs - nowMs) + m_cues->lengthMs(lit->cue, moment));\n", "")),
    f("access/AccessLayer.cpp", "the cue after an entry speaks over it",
      ("std::max(nowMs, m_quietUntilMs)", "nowMs")),
    f("access/AccessLayer.cpp", "a selection leaves the cue playing",
      ("    // The cue stops at once; the next one waits until the chosen cell's voice has been heard.\n    m_cues->stop();\n",
       "")),
    f("access/DwellTracker.cpp", "dwell locks on without the lock time",
      ("m_locked = nowMs - startMs >= m_timing.lockMs;", "m_locked = true;")),
    f("access/DwellTracker.cpp", "resting on a cell selects it again and again",
      ("block(target, m_timing.graceMs);\n            return {target, 1.0, true};",
       "m_filled = 0;\n            return {target, 1.0, true};")),
    f("access/AccessSettings.cpp", "scan step accepted down to 30 ms",
      ("1500, 300, 10000}", "1500, 30, 10000}")),
    f("access/AccessSettings.cpp", "no floor under the switch debounce (a bounce walks the levels)",
      ("250, 50, 2000}", "250, 0, 2000}")),
    f("access/AccessLayer.cpp", "a selection presses inside the polling timer's slot (a question opened by dwell is stuck)",
      ("QMetaObject::invokeMethod(\n        this, [this, chosen] { activate(chosen); }, Qt::QueuedConnection);",
       "activate(chosen);")),
    f("access/AccessLayer.cpp", "what a closed question uncovers under the resting pointer fires",
      ("if (under.isEmpty() || under == key)", "if (!under.isEmpty())")),
    f("access/AccessOverlay.cpp", "the paused hint sits in the lower right corner over the board switch",
      ("for (int points = 14; points >= 9 && box.isNull(); --points) {",
       "for (int points = 14; points >= 99 && box.isNull(); --points) {")),
    f("access/ScanPlan.cpp", "a frame reaches past the window's edge",
      ("            visible = visible.translated(child->pos()) & child->parentWidget()->rect();",
       "            visible = visible.translated(child->pos());")),
    f("boards/BoardEntry.cpp", "the selection screen's three columns are wider than the window",
      ("kSelectionColumnWidth = 5060;", "kSelectionColumnWidth = 5250;")),
    f("platform/PressGuard.cpp", "switch and dwell presses are held by the pointer's double-press guard",
      ("return static_cast<QMouseEvent *>(event)->pointingDevice() != selectionDevice() &&\n               settling(watched);",
       "return settling(watched);")),
    f("app/frmOPT.cpp", "the options dialog's キャンセル keeps the access settings confirmed inside it",
      ("    dialog.exec();\n", "    if (dialog.exec() == QDialog::Accepted)\n        m_access->commit();\n")),
    f("access/AccessSettings.cpp", "switch debounce not held below half a scan step",
      ("return std::min(switchIgnoreMs, scanStepMs / 2 - 1);", "return switchIgnoreMs;")),
    f("access/AccessLayer.cpp", "the call chime rings before switch A has been held its time",
      ("nowMs - since < m_settings.callHoldMs", "nowMs - since < m_settings.callHoldMs - 200")),
    f("access/AccessSettings.cpp", "a call hold below a second is kept (a long press rings)",
      ("settings.callHoldMs = std::max(settings.callHoldMs, settings.lowestCallHoldMs());", "settings.callHoldMs = std::max(settings.callHoldMs, 0);")),
    f("access/CallButton.cpp", "a pointer press on the call button rings at once",
      ("    if (m_pressedAtMs >= 0)\n        return; // a second button", "    emit callRequested();\n    if (m_pressedAtMs >= 0)\n        return; // a second button")),
    f("access/CallBell.cpp", "a press while the chime rings does not stop it",
      ("            if (stops(key->key(), key))\n                stop();\n", "")),
    f("access/CallBell.cpp", "the press that stops the chime also reaches the window",
      ("            stop();\n        return ringing;", "            stop();\n        return false;")),
    f("access/CallChime.cpp", "the chime sounds once, not until stopped",
      ("    m_repeat.start();", "")),
    f("access/CallChime.cpp", "the tone playing goes on after the stop",
      ("    m_player.stop();", "")),
    f("app/frmTalk.cpp", "a wide window keeps the design's shape: the controls leave the width empty",
      ("DesignLayout::setScale(this, s, sx / s);", "DesignLayout::setScale(this, s);")),
    f("platform/DesignLayout.cpp", "text grows with the window's width instead of its height",
      ("        applyFont(child, s);", "        applyFont(child, across);")),
    f("access/CallBell.cpp", "the call key rings with nothing stored",
      ("m_key = settings.callOn != 0 && key != Qt::Key_unknown", "m_key = key != Qt::Key_unknown")),
    f("access/ScanPlan.cpp", "the ringing screen's 止める cannot be dwelt on or scanned",
      ("    Builder::add(plan.root, b.button(screen.cmdStop));\n", "")),
    f("access/frmAccess.cpp", "a switch's key is taken as the call key",
      ("return switchKeys.contains(key) ? AccessTexts::kSwitchKeyRefused", "return switchKeys.contains(-key) ? AccessTexts::kSwitchKeyRefused")),
    f("access/HeldInputs.cpp", "a released switch A still counts as held (the call rings later)",
      ("    if (held == m_holds.cend() || held->spent || held->releasedAtMs >= 0)",
       "    if (held == m_holds.cend() || held->spent)")),
    # record
    f("record/PcmTools.cpp", "levelling ignores the peak ceiling",
      ("take.gainDb = std::min(kTargetRmsDb - span.voicedRmsDb, kMaxPeakDb - peakDb);",
       "take.gainDb = kTargetRmsDb - span.voicedRmsDb;")),
    f("record/PcmTools.cpp", "trimming cuts into the start of the speech",
      ("onset * frame - samplesFor(kLeadMs, sampleRate))",
       "onset * frame + samplesFor(kLeadMs, sampleRate))")),
    f("record/PcmTools.cpp", "a clipped take is not flagged",
      ("kClipCount = 3;", "kClipCount = 3000;")),
    f("record/SpeechWatch.cpp", "a take stops on silence before any speech",
      ("std::any_of(m_levels.cbegin(), tail, above) && std::none_of",
       "std::none_of")),
    f("record/WavFile.cpp", "saved WAV states half its data size",
      ('out.append("data");\n    appendLe32(out, dataSize);',
       'out.append("data");\n    appendLe32(out, dataSize / 2);')),
    f("record/VoiceStore.cpp", "the first own recording does not keep the original voice",
      ("if (existed && (!kept || original.isEmpty())) {", "if (false) {")),
    f("record/VoiceStore.cpp", "元の声に戻す keeps the own recording",
      ("if (!TextFile::writeBytes(voicePath(text), original, m_disk))\n        return Restored::Failed;",
       "")),
    f("record/VoiceStore.cpp", "a kept original that is no voice is brought back",
      ("if (!isVoice(original))", "if (false)")),
    f("record/VoiceStore.cpp", "an empty original left by a full disk is never replaced",
      ("(!kept || original.isEmpty())", "!kept")),
    f("record/VoiceStore.cpp", "a kept original this program cannot play gives way to the next take",
      ("(!kept || original.isEmpty())", "(!kept || !isVoice(original))")),
    f("record/VoiceStore.cpp", "the original is written past the disk's checks",
      ("TextFile::writeBytes(originalPath(text), current, m_disk)",
       "TextFile::writeBytes(originalPath(text), current)")),
    f("record/frmRecord.cpp", "the ボタン page looks its voices up by their captions",
      ("const QString &text = texts[i];", "const QString text = m_cells[i]->text() + texts[i].left(0);")),
    f("record/frmRecord.cpp", "the record button's accessible name stays 録音 while recording",
      ("cmdRecord->setAccessibleName(recordCaption);", "")),
    # platform
    f("platform/PressGuard.cpp", "a press just after a control appears is not ignored",
      ("m_clock.nowMs() - *from < kSettleMs", "m_clock.nowMs() - *from < 0")),
    f("platform/PressGuard.cpp", "a closed cover does not guard the control beneath",
      ("if (QObject *beneath = m_beneath.value(watched))\n            appeared(beneath);",
       "if (QObject *beneath = m_beneath.value(watched))\n            Q_UNUSED(beneath);")),
    f("platform/PcmCache.cpp", "a replaced recording keeps playing the old sound",
      ("if (found != m_entries.constEnd() && found->stamp == stamp)",
       "if (found != m_entries.constEnd())")),
    f("platform/ProgramFolders.cpp", "the user's data folder is made readable by all",
      ("QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)",
       "QDir().mkdir(dir)")),
    f("platform/ProgramFolders.cpp", "a read-only copy's Talk.txt is left behind",
      ("if (found.exists() || ", "if (true || ")),
    f("platform/TextFile.cpp", "new data files are readable by all",
      ("file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);", ";")),
    f("platform/PcmClip.cpp", "an overlong voice file is read and kept whole",
      ("if (available > longestData(*format, longestSeconds))", "if (false)")),
    f("platform/PcmClip.cpp", "an engine waveform cut short is played as far as it goes",
      ("return decode(buffer, longestSeconds, Sizes::Whole);",
       "return decode(buffer, longestSeconds, Sizes::AsFarAsItGoes);")),
    f("platform/PrivateTemp.cpp", "the engine's files go to the temporary folder, not the runtime one",
      ("if (isPrivateFolder(runtime))", "if (isPrivateFolder(runtime) && false)")),
    f("platform/PrivateTemp.cpp", "the folders of killed runs are left with their words",
      ("        QDir(path).removeRecursively();", "        continue;")),
    f("platform/PrivateTemp.cpp", "a missing TMPDIR puts the engine's folder at /",
      ("    return u\"/tmp\"_s;", "    return temp;")),
    f("platform/ProgramFolders.cpp", "the installed voices come before the user's own",
      ("for (const QString &dir : m_voiceDirs) {",
       "for (const QString &dir : QStringList(m_voiceDirs.crbegin(), m_voiceDirs.crend())) {")),
    f("platform/ProgramFolders.cpp", "a writable folder with installed voices counts as a portable copy",
      ("if (programDirWritable && !voicesInstalled)", "if (programDirWritable)")),
    f("platform/SingleInstance.cpp", "a lock that cannot be made stops the start",
      ("    if (m_fd < 0)\n        return;", "    if (m_fd < 0) {\n        m_found = Found::Running;\n        return;\n    }")),
    f("platform/SingleInstance.cpp", "a FIFO at the lock path is opened blocking",
      ("O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC", "O_RDWR | O_CREAT | O_CLOEXEC"),
      ("!S_ISREG(found.st_mode) && unlink(path) != 0", "false")),
    f("platform/SingleInstance.cpp", "the lock lives in the shared temporary folder",
      ("QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)", "QDir::tempPath()")),
    f("platform/SingleInstance.cpp", "a hanging first instance is taken for a running one",
      ("answers(socketPath) ? Found::Running", "(answers(socketPath) || true) ? Found::Running")),
    f("platform/PcmPlayer.cpp", "idle streams keep holding the sound card",
      ("pa_operation_unref(pa_stream_cork(m_stream, 1, nullptr, nullptr));\n        m_corked = true;",
       "return;")),
    f("platform/PcmPlayer.cpp", "closing waits for the server to finish the sound",
      ("        pa_threaded_mainloop_stop(m_loop);",
       "        {\n            const Lock lock(m_loop);\n            while (m_clip && m_context)\n"
       "                pa_threaded_mainloop_wait(m_loop);\n        }\n        pa_threaded_mainloop_stop(m_loop);")),
    f("platform/PcmPlayer.cpp", "a paused stream is not resumed for the next clip",
      ("            pa_operation_unref(pa_stream_cork(m_stream, 0, nullptr, nullptr));\n", "")),
    f("platform/FlexGrid.cpp", "letting go beside the cells still clicks",
      ("if (!indexAt(event->position().toPoint()).isValid())\n        return;\n    emit clicked();",
       "emit clicked();")),
    f("platform/QtWaveDevice.cpp", "Close leaves the voice playing",
      ("m_open.reset();\n        m_player->stop();", "m_open.reset();")),
    # voice
    f("voice/Reader.cpp", "a stop during the first character is ignored",
      ("if (m_stopRead == kStop)\n            return;",
       "if (m_stopRead == kStop && i > 1)\n            return;")),
    f("access/ScanPlan.cpp", "on a question the yes answer is lit first",
      ("for (int index : {1, 0})", "for (int index : {0, 1})")),
    # speech
    f("voice/SentenceReader.cpp", "a stop leaves the sentence voice playing",
      ("    m_player.stop();\n    m_engine.cancel();", "    m_engine.cancel();")),
    f("voice/SentenceReader.cpp", "a part the engine could not make is skipped, not read",
      ("result = m_parts[m_current].textStart;", "result = -1;")),
    f("voice/SpeechScript.cpp", "the end marker is given to the engine",
      ("    case u'_':\n        return {Kind::Dropped, i, 1, {}, {}};",
       "    case u'_':\n        return {Kind::Word, i, 1, own, {}};")),
    f("voice/EngineTrace.cpp", "a small kana counted as a mora of its own",
      ("if (!groups.isEmpty() && small.contains(input.at(i)))", "if (false)")),
    f("voice/FirstPartAhead.cpp", "nothing is made while the text is composed",
      ("if (!parts.isEmpty())\n        m_speech.engine().makeAhead",
       "if (false)\n        m_speech.engine().makeAhead")),
    f("voice/SpeechEngine.cpp", "what was made ahead is played for a changed text",
      ("return m_ahead && m_ahead->spoken == spoken && m_ahead->voice == voice;",
       "return m_ahead && m_ahead->voice == voice;")),
    f("voice/SpeechEngine.cpp", "a failed run ahead answers the press",
      ("if (failed)\n            m_ahead.reset();\n        else\n            m_ahead->part = part;",
       "m_ahead->part = part;")),
    f("voice/SpeechEngine.cpp", "what was made ahead is played after the voice's speed changed",
      ("return m_ahead && m_ahead->spoken == spoken && m_ahead->voice == voice;",
       "return m_ahead && m_ahead->spoken == spoken && (m_ahead->voice == voice || true);")),
    f("voice/EngineWorker.cpp", "a trace cut short is believed: the sentence is cut with it",
      ("if (timing.labelsEndMs < length - kLabelsShortMs)", "if (false)")),
    f("voice/EngineTrace.cpp", "a damaged mora count is believed (and made room for)",
      ("if (counted > moraStarts.size())", "if (false)")),
    f("voice/SpeechScript.cpp", "a control character is given to the engine",
      ("if (c.category() == QChar::Other_Control)", "if (false)")),
    f("voice/SentenceReader.cpp", "the first part read is not kept: made again after the press",
      ("m_voice, m_requested == 0);", "m_voice, false);")),
    f("samples/SampleFile.cpp", "regrouping the samples leaves the board's armed text alone",
      ("        m_cellText = grid.textMatrix(r, 1);\n        const QString label = groupLabel(m_cellText);",
       "        const QString label = groupLabel(grid.textMatrix(r, 1));")),
    # quick answers and the partner's view
    f("quick/QuickSpeaker.cpp", "a quick answer never in the user's own voice",
      ("if (canHaveOwnVoice(phrase) && m_store->kind(phrase) == VoiceStore::Kind::Own)", "if (false)")),
    f("quick/QuickSettings.cpp", "quick answers on with nothing stored",
      ('u"0"_s).trimmed() == u"1"_s', 'u"1"_s).trimmed() == u"1"_s')),
    f("access/ScanPlan.cpp", "the quick answers scanned last",
      ("    b.addButtons(root, QuickTexts::kGroup, {t.cmdQuick.cbegin(), t.cmdQuick.cend()});\n", ""),
      ("    b.addCall(root, t);\n}", "    b.addButtons(root, QuickTexts::kGroup, {t.cmdQuick.cbegin(), t.cmdQuick.cend()});\n    b.addCall(root, t);\n}")),
    f("app/frmOPT.cpp", "よく使う答え… stores at once, kept when the options dialog is cancelled",
      ("    return *pending;\n", "    return store;\n")),
    f("app/frmTalk.cpp", "the quick answers confirmed in the options dialog wait for a restart",
      ("        if (m_conversation)\n            m_conversation->applyOptions();\n", "")),
    f("partner/PartnerPlace.cpp", "the partner's view kept off the first screen, not off the user's",
      ("        if (distance(screens[i].geometry, user) == nearest)", "        if (i == 0 || distance(screens[i].geometry, user) == nearest)")),
    f("partner/PartnerView.cpp", "the partner sees the end marker",
      ("lblText->setText(TextArea::withoutEndMarkers(m_composition.text()));",
       "lblText->setText(m_composition.text());")),
    # transfer
    f("transfer/DataArchive.cpp", "an import follows a link in the archive",
      ("if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry) ||\n            archive_entry_symlink(entry)) {",
       "if (false) {")),
    f("transfer/DataArchive.cpp", "a member claiming more than the bounds is read all the same",
      ("if (claimed > kMaxMemberBytes || total + claimed > kMaxTotalBytes ||", "if (claimed < 0 ||")),
    f("transfer/DataManifest.cpp", "an archive of a format this program cannot read is imported",
      ("if (lines.first() != kFormatLine + QByteArray::number(kFormat))", "if (false)")),
    f("transfer/DataManifest.cpp", "a member whose checksum differs from the manifest is imported",
      (" ||\n            sha256(member.bytes) != fields[0])", ")")),
    f("transfer/DataTransfer.cpp", "an import that fails part-way leaves the data half replaced",
      ("const Result back = recoverInterrupted();", "const Result back{false, {}};")),
    f("transfer/DataSet.cpp", "an import removes the files it has just written",
      ("        stale.removeAll(file.name);\n", "")),
    f("transfer/DailyCopy.cpp", "a daily copy that cannot be made is told at every start",
      ("        if (told)\n            return {};\n", "")),
    f("transfer/DailyCopy.cpp", "the daily copies are kept one day too long",
      ("while (days.size() > kKeptDays)", "while (days.size() > kKeptDays + 1)")),
    f("platform/PcmPlayer.cpp", "a clip is written only as far as the server asks at its start",
      ("attr ? qsizetype(attr->maxlength / 2) : 0", "qsizetype(attr ? 0 : 0)")),
    f("platform/PcmPlayer.cpp", "a clip written ahead is paused 3 s after its last write",
      ("armIdle(playedAt > now ? playedAt - now : 0);", "armIdle(playedAt > now ? 0 : 0);")),
    f("predict/BestWords.h", "a word passed over sinks after a single word's typing",
      ("kPassedFactor = 0.95;", "kPassedFactor = 0.8;")),
    f("predict/BestWords.h", "a word adding one character takes a longer one's place",
      ("if (added < kLeastAdded)", "if (added < 1)")),
    f("predict/BestWords.h", "a word adding many characters ranks as one adding few",
      ("kPerAddedChar = 0.8;", "kPerAddedChar = 1.0;")),
    f("predict/Segmenter.cpp", "a run from inside a word reaches past its end",
      ("from == wordStart ? std::size_t(kLongestRun) : 1",
       "from >= wordStart ? std::size_t(kLongestRun) : 1")),
    f("predict/Segmenter.cpp", "nothing is learned from inside a word",
      ("from == wordStart ? std::size_t(kLongestRun) : 1",
       "from == wordStart ? std::size_t(kLongestRun) : 0")),
    f("predict/Segmenter.cpp", "learned words begin with a small kana where the analyser split",
      ("if (beginsNoWord(joined[from]))", "if (beginsNoWord(joined[from]) && false)")),
    f("predict/Segmenter.cpp", "runs of four words are not learned",
      ("kLongestRun = 4;", "kLongestRun = 3;")),
    f("predict/LearnedWords.cpp", "a learned katakana word is offered with its kana key in front",
      ("end < 0 ? mapKey : mapKey.sliced(end + 1)", "end < 0 ? mapKey : mapKey.sliced(0)")),
    f("voice/EngineWorker.cpp", "a part starts with the silent closure of its first stop",
      ("timing.closureEndMs < 0\n", "timing.closureEndMs < 1000000\n")),
    f("voice/SpeechOnset.cpp", "the closure cut at a fixed level: a quiet voice loses its onset",
      ("std::max(1, int(peak * kBelowPeak))", "std::max(1, int(32767 * kBelowPeak))")),
    f("voice/SpeechOnset.cpp", "a stop quiet throughout is cut to its end",
      ("    return fromMs;\n}", "    return limitMs;\n}")),
    f("voice/EngineTrace.cpp", "a fricative's quiet start cut as if it were a stop's closure",
      ("u\"p\"_s, u\"py\"_s,", "u\"h\"_s, u\"py\"_s,")),
]


# The test folders that exercise a room besides its own (the window's rooms are tested there).
ROOM_TESTS = {"core": ["app"], "partner": ["quick"], "app": ["app", "boards"],
              "platform": ["platform", "reliability"]}


def room_tests(fault, tests):
    room = fault.path.split("/")[0]
    folders = set(ROOM_TESTS.get(room, [room])) | {room}
    return [t for t in tests if t.name.split(".")[0] in folders]


def log(*args):
    print(*args, flush=True)


def applicable(source, fault):
    return all(source.count(search) == 1 for search, _ in fault.edits)


def mutated(source, fault):
    for search, replace in fault.edits:
        source = source.replace(search, replace, 1)
    return source


def skipped_dir(name):
    return name.startswith(("build", "fuzz-build")) or name == ".git"


def sync_tree(tree, copy):
    """Makes copy hold exactly tree's files. Only changed files are written (with a new
    modification time, so the build sees them); unchanged ones keep theirs."""
    wanted = set()
    for root, dirs, files in os.walk(tree):
        dirs[:] = [d for d in dirs if not (root == tree and skipped_dir(d))]
        rel_root = os.path.relpath(root, tree)
        for name in files:
            rel = os.path.normpath(os.path.join(rel_root, name))
            wanted.add(rel)
            src, dst = os.path.join(tree, rel), os.path.join(copy, rel)
            if os.path.isfile(dst) and same_bytes(src, dst):
                continue
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copyfile(src, dst)
            shutil.copymode(src, dst)
    for root, dirs, files in os.walk(copy):
        for name in files:
            rel = os.path.normpath(os.path.relpath(os.path.join(root, name), copy))
            if rel not in wanted:
                os.remove(os.path.join(copy, rel))


def share_library(copy):
    """Builds the copy's program library shared; the tree's own build is not touched."""
    path = os.path.join(copy, "src", "CMakeLists.txt")
    with open(path, encoding="utf-8") as fh:
        text = fh.read()
    shared = text.replace("add_library(talklib STATIC", "add_library(talklib SHARED")
    if shared != text:
        with open(path, "w", encoding="utf-8") as fh:
            fh.write(shared)


def same_bytes(a, b):
    if os.path.getsize(a) != os.path.getsize(b):
        return False
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def run(cmd, logfile, **kw):
    with open(logfile, "w") as out:
        return subprocess.run(cmd, stdout=out, stderr=subprocess.STDOUT, **kw).returncode


def configure(copy, build, logfile):
    # Debug without debug information: assertions stay on, compiling and linking are faster.
    cmd = ["cmake", "-S", copy, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
           "-DCMAKE_CXX_FLAGS_DEBUG=-O0", "-DTALK_BENCH=OFF", "-DTALK_SANITIZE=OFF"]
    if shutil.which("ccache"):
        cmd.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    if shutil.which("ld.lld"):
        # Every fault relinks every test binary; lld links them several times faster.
        cmd += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld", "-DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld"]
    # The tests load the rebuilt library; they need no relinking when it changes.
    cmd.append("-DCMAKE_LINK_DEPENDS_NO_SHARED=ON")
    return run(cmd, logfile) == 0


def build(build_dir, logfile):
    return run(["nice", "cmake", "--build", build_dir], logfile) == 0


@dataclass
class Test:
    name: str
    command: list
    env: dict
    cwd: str
    alone: bool  # shares the test sink or is timed: runs after the others, one at a time


def list_tests(build_dir):
    out = subprocess.run(["ctest", "--show-only=json-v1"], cwd=build_dir, check=True,
                         capture_output=True, text=True).stdout
    tests = []
    for t in json.loads(out)["tests"]:
        env, cwd, alone = {}, build_dir, False
        for p in t.get("properties", []):
            if p["name"] in ("RESOURCE_LOCK", "RUN_SERIAL"):
                alone = True
            if p["name"] == "ENVIRONMENT":
                env.update(v.split("=", 1) for v in p["value"])
            elif p["name"] == "WORKING_DIRECTORY":
                cwd = p["value"]
        tests.append(Test(t["name"], t["command"], env, cwd, alone))
    return tests


def run_test(test, timeout, tmp):
    """'pass', 'fail' or 'timeout' and the seconds taken. The test runs in its own process
    group, so a hung test is killed with everything it started."""
    env = dict(os.environ, TMPDIR=tmp, XDG_RUNTIME_DIR=os.path.join(tmp, "runtime"), **test.env)
    start = time.monotonic()
    proc = subprocess.Popen(test.command, cwd=test.cwd, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        code = proc.wait(timeout=timeout)
        result = "pass" if code == 0 else "fail"
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        result = "timeout"
    return result, time.monotonic() - start


def run_suite(tests, timeouts, jobs, tmp):
    shutil.rmtree(tmp, ignore_errors=True)
    os.makedirs(os.path.join(tmp, "runtime"), mode=0o700)
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        futures = {t.name: pool.submit(run_test, t, timeouts[t.name], tmp)
                   for t in tests if not t.alone}
        results = {name: fut.result() for name, fut in futures.items()}
    # As ctest does with its locks: the tests on the one test sink, and the timed one, alone.
    for t in tests:
        if t.alone:
            results[t.name] = run_test(t, timeouts[t.name], tmp)
    shutil.rmtree(tmp, ignore_errors=True)
    return results


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("--tree", default=os.path.dirname(here), help="source tree to test")
    ap.add_argument("--work", help="reusable copy and build folder (default <tree>/build-mutate)")
    ap.add_argument("--only", help="comma-separated fault numbers")
    ap.add_argument("--list", action="store_true", help="list the faults and exit")
    ap.add_argument("--jobs", type=int, default=2, help="tests run at once")
    ap.add_argument("--tests", help="regular expression: run only the tests it finds")
    ap.add_argument("--exclude", help="regular expression: tests not to run")
    ap.add_argument("--room-first", action="store_true",
                    help="run a fault's own room's tests first, the rest only if it survives")
    ap.add_argument("--timeout", type=float,
                    help="seconds per test (default: 3x its fault-free time + 30)")
    args = ap.parse_args()

    tree = os.path.abspath(args.tree)
    work = os.path.abspath(args.work or os.path.join(tree, "build-mutate"))
    copy, build_dir, tmp = (os.path.join(work, d) for d in ("src-copy", "build", "tmp"))
    chosen = range(1, len(FAULTS) + 1)
    if args.only:
        chosen = [int(n) for n in args.only.split(",")]

    def original(fault):
        with open(os.path.join(tree, "src", fault.path), encoding="utf-8") as fh:
            return fh.read()

    if args.list:
        for n in chosen:
            fault = FAULTS[n - 1]
            ok = os.path.exists(os.path.join(tree, "src", fault.path)) and applicable(
                original(fault), fault)
            log(f"{n:3} {fault.path:28} {fault.what}{'' if ok else '  [not applicable]'}")
        return 0

    if not os.environ.get("PULSE_SERVER"):
        log("no test sound server named (PULSE_SERVER): the real-sound tests will skip")
    os.makedirs(work, exist_ok=True)
    sync_tree(tree, copy)
    share_library(copy)
    build_log = os.path.join(work, "build.log")
    if not configure(copy, build_dir, os.path.join(work, "configure.log")):
        log(f"the tree does not configure: see {work}/configure.log")
        return 2
    if not build(build_dir, build_log):
        log(f"the fault-free tree does not build: see {build_log}")
        return 2
    tests = list_tests(build_dir)
    if args.tests:
        tests = [t for t in tests if re.search(args.tests, t.name)]
    if args.exclude:
        tests = [t for t in tests if not re.search(args.exclude, t.name)]
    free = run_suite(tests, {t.name: args.timeout or 600 for t in tests}, args.jobs, tmp)
    failing = sorted(n for n, (r, _) in free.items() if r != "pass")
    timeouts = {n: args.timeout or 3 * secs + 30 for n, (_, secs) in free.items()}
    log(f"tree {tree}: {len(tests)} tests, fault-free run "
        f"{sum(s for _, s in free.values()):.0f} s of test time")
    if failing:
        log("failing without any fault (not counted as kills): " + ", ".join(failing))

    killed = applied = 0
    survivors = []
    for n in chosen:
        fault = FAULTS[n - 1]
        label = f"{n:3} {fault.path}: {fault.what}"
        path = os.path.join(copy, "src", fault.path)
        if not os.path.exists(path) or not applicable(original(fault), fault):
            log(f"{label}\n      not applicable")
            continue
        source = original(fault)
        with open(path, "w", encoding="utf-8") as fh:
            fh.write(mutated(source, fault))
        try:
            if not build(build_dir, build_log):
                log(f"{label}\n      does not build (not counted)")
                continue
            first = room_tests(fault, tests) if args.room_first else tests
            results = run_suite(first, timeouts, args.jobs, tmp)
            if all(r == "pass" or name in failing for name, (r, _) in results.items()):
                rest = [t for t in tests if t not in first]
                results.update(run_suite(rest, timeouts, args.jobs, tmp) if rest else {})
        finally:
            # Rewritten with a new time, so the next build compiles the original again.
            with open(path, "w", encoding="utf-8") as fh:
                fh.write(source)
        applied += 1
        killers = [f"{name}{' (hung)' if r == 'timeout' else ''}"
                   for name, (r, _) in results.items() if r != "pass" and name not in failing]
        if killers:
            killed += 1
            log(f"{label}\n      killed by: {', '.join(sorted(killers))}")
        else:
            survivors.append(n)
            log(f"{label}\n      survived")
    log(f"\nkilled {killed} of {applied} applicable faults"
        + (f"; survived: {', '.join(map(str, survivors))}" if survivors else ""))
    build(build_dir, build_log)  # leave the copy built fault-free
    return 0


if __name__ == "__main__":
    sys.exit(main())
