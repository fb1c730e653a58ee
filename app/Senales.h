#pragma once
// Stopping on SIGTERM, SIGINT and SIGHUP (a desktop logout, kill, Ctrl+C).
// Firebird's client library takes these signals itself and shuts its engine
// down under the program, which then runs on with dead connections and
// (embedded) a lock table other processes hang on. So the signals are
// blocked in main, before any thread starts and before the first Firebird
// call, for every thread; they are read on the user-interface thread from a
// signalfd and end the session as the window's close does.
//
// The mask is inherited by child processes: a child made by fork() gets the
// signals back at once (pthread_atfork); one started otherwise (QProcess,
// posix_spawn) should run desbloquearSenalesDeParada before its exec
// (QProcess::setChildProcessModifier).
#include <QObject>

class QSocketNotifier;

namespace cxp {

// Blocks the three signals in the calling thread (and so in every thread it
// starts later). First thing in main.
void bloquearSenalesDeParada();
// Unblocks them in the calling thread.
void desbloquearSenalesDeParada();

class SenalesDeParada : public QObject {
    Q_OBJECT
public:
    explicit SenalesDeParada(QObject* parent = nullptr);
    ~SenalesDeParada() override;
    // False when the signalfd could not be made (the signals then stay
    // blocked and pending: the session ends only from the window).
    bool activa() const { return fd_ >= 0; }

signals:
    void recibida(int senal);

private:
    void leer();
    int fd_ = -1;
    QSocketNotifier* aviso_ = nullptr;
};

}  // namespace cxp
