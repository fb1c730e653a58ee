#pragma once
// Files read back the way LibreOffice reads them: converted to CSV by
// libreoffice --headless, then split into cells.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace prueba {

// The cells as LibreOffice shows them in the file it writes from ours.
inline QList<QStringList> celdas(const QByteArray& csv) {
    QList<QStringList> filas;
    QStringList fila;
    QString campo;
    bool comillas = false;
    const QString s = QString::fromUtf8(csv);
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (comillas) {
            if (c == u'"' && i + 1 < s.size() && s[i + 1] == u'"') {
                campo += u'"';
                ++i;
            } else if (c == u'"') {
                comillas = false;
            } else {
                campo += c;
            }
        } else if (c == u'"') {
            comillas = true;
        } else if (c == u',') {
            fila << campo;
            campo.clear();
        } else if (c == u'\n') {
            fila << campo;
            filas << fila;
            fila.clear();
            campo.clear();
        } else if (c != u'\r') {
            campo += c;
        }
    }
    if (!campo.isEmpty() || !fila.isEmpty()) filas << (fila << campo);
    return filas;
}

// libreoffice --headless --convert-to csv, UTF-8, cells as shown.
// `comoSeVe` false: numbers as they are stored ("1234.5"), not as their
// format shows them ("1,234.50"); a text keeps its letters either way.
inline QByteArray comoLoVe(const QString& archivo, const QString& filtroEntrada, bool comoSeVe = true) {
    const QString lo = QStandardPaths::findExecutable("libreoffice");
    if (lo.isEmpty()) {
        ADD_FAILURE() << "LibreOffice is missing: scripts/setup installs libreoffice-calc-nogui";
        return {};
    }
    QTemporaryDir perfil;  // its own profile: runs in parallel do not share a lock
    QTemporaryDir salida;
    QStringList args{"-env:UserInstallation=" + QUrl::fromLocalFile(perfil.path()).toString(), "--headless"};
    if (!filtroEntrada.isEmpty()) args << "--infilter=" + filtroEntrada;
    args << "--convert-to"
         << QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,%1").arg(comoSeVe ? "true" : "false")
         << "--outdir" << salida.path() << archivo;
    QProcess p;
    p.start(lo, args);
    if (!p.waitForFinished(180000) || p.exitCode() != 0) {
        ADD_FAILURE() << "libreoffice failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    QFile f(QDir(salida.path()).filePath(QFileInfo(archivo).completeBaseName() + ".csv"));
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "libreoffice wrote nothing: " << p.readAllStandardOutput().toStdString();
        return {};
    }
    return f.readAll();
}

}  // namespace prueba
