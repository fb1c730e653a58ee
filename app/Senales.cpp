#include "app/Senales.h"

#include <QSocketNotifier>
#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace cxp {

namespace {

sigset_t senales() {
    sigset_t s;
    sigemptyset(&s);
    sigaddset(&s, SIGTERM);
    sigaddset(&s, SIGINT);
    sigaddset(&s, SIGHUP);
    return s;
}

}  // namespace

void bloquearSenalesDeParada() {
    const sigset_t s = senales();
    pthread_sigmask(SIG_BLOCK, &s, nullptr);
    static const bool registrado = [] {
        pthread_atfork(nullptr, nullptr, [] { desbloquearSenalesDeParada(); });
        return true;
    }();
    (void)registrado;
}

void desbloquearSenalesDeParada() {
    const sigset_t s = senales();
    pthread_sigmask(SIG_UNBLOCK, &s, nullptr);
}

SenalesDeParada::SenalesDeParada(QObject* parent) : QObject(parent) {
    const sigset_t s = senales();
    fd_ = ::signalfd(-1, &s, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) return;
    aviso_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(aviso_, &QSocketNotifier::activated, this, &SenalesDeParada::leer);
}

SenalesDeParada::~SenalesDeParada() {
    delete aviso_;
    if (fd_ >= 0) ::close(fd_);
}

void SenalesDeParada::leer() {
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == ssize_t(sizeof info)) emit recibida(int(info.ssi_signo));
}

}  // namespace cxp
