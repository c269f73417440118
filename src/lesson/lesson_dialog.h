// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace lesson {

// The lesson files the open dialog offers, as "description|patterns|description|patterns...".
inline const QString kLessonFilter =
    QStringLiteral("所有可读文件|*.txt;*.lrc|文本文件 txt|*.txt|歌词文件 lrc|*.lrc");

// The further kinds the open dialog offers after the lesson files: subtitles and flashcard
// exports, then all files.
inline const QString kFurtherLessonFilter =
    QStringLiteral("字幕和卡片文件|*.srt;*.vtt;*.tsv;*.csv|所有文件|*");

// Turns a "description|pattern;pattern|..." filter into the dialog's own
// "description (pattern pattern);;..." form, entries in the same order.
QString toDialogFilter(const QString& filter);

// The open dialog's filter: the lesson filter's entries, then the further kinds.
QString lessonDialogFilter();

// Shows the open dialog over `parent` with the lesson filter and then the further kinds, the
// lesson filter's first entry selected; returns
// the chosen file's full path, or "" when the learner cancelled.
QString askForLessonFile(QWidget* parent);

}  // namespace lesson
