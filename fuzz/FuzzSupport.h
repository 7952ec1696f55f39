// What every fuzz target needs: a scratch folder for readers that take
// file names, and the input as bytes. FuzzApplication.h adds the
// application that controls need.
#pragma once

#include <QCoreApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace quellix::fuzz {

// A folder of this process for the files a target writes (in memory when
// the machine has /dev/shm).
inline QString ScratchDir() {
  struct TScratch {
    QString Dir;
    ~TScratch() { QDir(Dir).removeRecursively(); }
  };
  static const TScratch Scratch{[] {
    const QString Base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString Dir = Base + QStringLiteral("/quellix-fuzz-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(Dir);
    return Dir;
  }()};
  return Scratch.Dir;
}

inline void WriteFile(const QString& Name, const QByteArray& Bytes) {
  QFile F(Name);
  if (F.open(QIODevice::WriteOnly | QIODevice::Truncate)) F.write(Bytes);
}

inline QByteArray Bytes(const std::uint8_t* Data, std::size_t Size) {
  return QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
}

// Inputs of the data-file target are the data file, optionally followed by
// this line and the remark file.
inline const QByteArray& RemarkSeparator() {
  static const QByteArray S("\n--XRM--\n");
  return S;
}

}  // namespace quellix::fuzz
