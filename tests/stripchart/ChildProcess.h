// A piece of a test run in a child process of its own: for a real file
// size limit, a user who may not write, and SIGKILL at a random moment.
// The child reports what it saw as named values, and may publish progress
// counters that the parent reads while it runs; both live in memory shared
// with the parent, so they survive a kill.
#pragma once

#include <QString>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <grp.h>
#include <map>
#include <signal.h>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace striptest {

class TChildProcess {
public:
  // Forks; the child runs Body and ends with exit code 0, or 3 when Body
  // raised. The parent returns at once.
  explicit TChildProcess(const std::function<void(TChildProcess&)>& Body) {
    void* Memory = mmap(nullptr, sizeof(TShared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (Memory == MAP_FAILED) return;
    FShared = new (Memory) TShared;
    std::fflush(nullptr);
    FPid = fork();
    if (FPid != 0) return;
    int Code = 0;
    try {
      Body(*this);
    } catch (const std::exception& E) {
      Report("exception", QString::fromStdString(E.what()));
      Code = 3;
    }
    _exit(Code);
  }
  ~TChildProcess() {
    if (FPid > 0 && !FReaped) {
      kill(FPid, SIGKILL);
      Wait();
    }
    if (FShared) munmap(FShared, sizeof(TShared));
  }
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Started() const { return FPid > 0; }

  // --- In the child ---------------------------------------------------------
  void Report(const std::string& Key, const QString& Value) {
    const std::string Line = Key + '=' + Value.toStdString() + '\n';
    const int At = FShared->TextLength;
    if (At + static_cast<int>(Line.size()) > static_cast<int>(sizeof FShared->Text)) return;
    std::memcpy(FShared->Text + At, Line.data(), Line.size());
    FShared->TextLength = At + static_cast<int>(Line.size());
  }
  void Report(const std::string& Key, long long Value) { Report(Key, QString::number(Value)); }
  void Publish(int Slot, std::int64_t Value) { FShared->Progress[Slot].store(Value, std::memory_order_release); }
  // As root, file permissions do not hold: the child becomes the user
  // "nobody" (65534). Returns false when that fails.
  static bool DropPrivileges() {
    if (geteuid() != 0) return true;
    return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0 && geteuid() == 65534;
  }

  // --- In the parent --------------------------------------------------------
  std::int64_t Progress(int Slot) const { return FShared->Progress[Slot].load(std::memory_order_acquire); }
  void Kill() const { kill(FPid, SIGKILL); }
  // Waits for the end of the child; its raw wait status.
  int Wait() {
    if (FReaped) return FStatus;
    while (waitpid(FPid, &FStatus, 0) < 0 && errno == EINTR) {
    }
    FReaped = true;
    return FStatus;
  }
  // Waits, then true when the child ended with exit code 0.
  bool Succeeded() {
    const int S = Wait();
    return WIFEXITED(S) && WEXITSTATUS(S) == 0;
  }
  // The value the child reported last under Key ("" when none).
  QString operator[](const std::string& Key) const {
    QString Value;
    const QString All = QString::fromUtf8(FShared->Text, FShared->TextLength);
    const QString Prefix = QString::fromStdString(Key) + '=';
    for (const QString& Line : All.split('\n'))
      if (Line.startsWith(Prefix)) Value = Line.mid(Prefix.size());
    return Value;
  }
  QString AllReports() const { return QString::fromUtf8(FShared->Text, FShared->TextLength); }

private:
  struct TShared {
    std::atomic<std::int64_t> Progress[4]{};
    int TextLength = 0;
    char Text[60000];
  };
  TShared* FShared = nullptr;
  pid_t FPid = -1;
  int FStatus = 0;
  bool FReaped = false;
};

}  // namespace striptest
