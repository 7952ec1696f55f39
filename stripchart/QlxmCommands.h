/// The work of the qlxm command-line tool, kept in the library so that it
/// runs on the recorder's own reader and can be tested without a process. \file
#pragma once

#include <QStringList>
#include <QTextStream>

namespace quellix::StrpChrtInt {

/// Runs one qlxm command. Args are the arguments after the program name: <pre>
///   info FILE             format version and one line per run
///   export FILE --run N   CSV of run N: time, then one column per series
///   remarks FILE          CSV of every remark: run, time, series, flag, text </pre>
/// Output goes to Out; a failure writes one line to Err and returns non-zero
/// (1 bad arguments, 2 bad or unreadable file).
int RunQlxm(const QStringList& Args, QTextStream& Out, QTextStream& Err);

class TStripChartInt;
/// The same, with export reading through Reader (a chart that is neither
/// logging nor playing, and is left stopped) instead of a chart of its own:
/// for callers that run many commands. Info and remarks need no chart.
int RunQlxm(const QStringList& Args, QTextStream& Out, QTextStream& Err, TStripChartInt& Reader);

}  ///< namespace quellix::StrpChrtInt
