#pragma once
// What the report tests share: the ledger's cents as money, the fonts a
// layout needs, a laid-out report read back from its PDF, and a scratch
// installation holding the shipped layouts for the administrator's session.
#include "printing/reportes/ArchivosInforme.h"
#include "tests/db/LibroPrueba.h"
#include "tests/support/EntornoCompania.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>

namespace prueba {

inline cxp::Dinero pesos(libro::Centavos c) { return cxp::Dinero::desdeCrudo(c * 100); }

// A GUI application for the fonts while it lives, unless one is running.
class Fuentes {
    int argc_ = 1;
    char nombre_[7] = "prueba";
    char* argv_[2] = {nombre_, nullptr};
    std::optional<QGuiApplication> app_;

public:
    Fuentes() {
        if (!QCoreApplication::instance()) app_.emplace(argc_, argv_);
    }
};

// The text of a report written to PDF, its layout kept; the error when it
// could not be written.
inline QString textoPdf(const cxp::reportes::Paginado& p) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("informe.pdf"));
    QString error;
    if (!cxp::reportes::escribirArchivo(p, cxp::reportes::FormatoArchivo::Pdf, pdf, QStringLiteral("x"), &error))
        return error;
    QProcess proc;
    proc.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    proc.waitForFinished(30000);
    return QString::fromUtf8(proc.readAllStandardOutput());
}

class EntornoInformes : public EntornoCompania {
protected:
    QTemporaryDir instalacion;

    void SetUp() override {
        entrar();
        sesion.directorio = instalacion.path();
        QDir().mkpath(instalacion.filePath(QStringLiteral("cxpagar/reportes")));
        for (const QString& f : QDir(QStringLiteral(CXP_DISENOS)).entryList({QStringLiteral("*.xml")}))
            QFile::copy(QStringLiteral(CXP_DISENOS "/") + f, instalacion.filePath(QStringLiteral("cxpagar/reportes/") + f));
    }
};

}  // namespace prueba
