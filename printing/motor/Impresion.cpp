#include "printing/motor/Impresion.h"

#include "data/Ayudas.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/Sesion.h"
#include "printing/motor/Lienzos.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cxp {

namespace {

const QString kModulo = QStringLiteral("CXPAGAR");
const QString kGeneral = QStringLiteral("GENERAL");
const QString kCaja = QStringLiteral("CAJA");
const QString kFormatoGeneral = QStringLiteral("0000");

bool esSi(const std::optional<QString>& v) {
    return v && v->trimmed().toUpper() == QLatin1String("SI");
}

}  // namespace

Impresion::Impresion(Sesion& sesion, const Configuracion& configuracion, Interaccion& interaccion)
    : sesion_(sesion), configuracion_(configuracion), interaccion_(interaccion) {}

std::optional<Formato> Impresion::formato(int tipo, const QString& prefijo) {
    return leerFormato(sesion_.compania, tipo, prefijo);
}

QByteArray Impresion::imagenAnulado() const {
    if (!sesion_.directorio.isEmpty()) {
        QFile f(QDir(sesion_.directorio).filePath(QStringLiteral("anulado.bmp")));
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray datos = f.readAll();
            if (!QImage::fromData(datos).isNull()) return datos;
        }
    }
    // Without the installation's picture an annulled document still
    // carries its mark: the word, in red, across the page part.
    QImage img(QSize(800, 300), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont fuente;
    fuente.setPixelSize(170);
    fuente.setBold(true);
    p.setFont(fuente);
    p.setPen(QColor(200, 0, 0, 110));
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("ANULADO"));
    p.end();
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return png;
}

QString Impresion::impresoraDe(const Formato& f, bool previsualizar) {
    if (f.impresora.isEmpty() || previsualizar || sesion_.directorio.isEmpty()) return {};
    return nombre_impresora(sesion_.directorio, f.impresora, interaccion_);
}

PlanImpresion Impresion::preparar(int tipo, int64_t id, bool general, const QString& prefijoFormato) {
    PlanImpresion plan;
    plan.previsualizar =
        esSi(configuracion_.buscar(kModulo, kGeneral, QStringLiteral("PREVISUALIZAR IMPRESION DE DOCUMENTOS")));
    plan.documento = leerDocumento(sesion_.compania, sesion_, configuracion_, tipo, id);
    if (!plan.documento.existe) {
        plan.error = QStringLiteral("No se encontró el documento a imprimir.");
        interaccion_.error(plan.error);
        return plan;
    }
    // The stamp is drawn (and its picture read or made) only for an annulled document.
    if (plan.documento.impreso.anulado) plan.documento.impreso.imagenAnulado = imagenAnulado();
    const DocumentoLeido& doc = plan.documento;
    const QString titulo = tituloTrabajo(tipo) + doc.prefijo + doc.numero;

    int tipoFormato = tipo;
    QString prefijo = prefijoFormato.isEmpty() ? doc.prefijo : prefijoFormato;
    if (tipo == 62) {
        const bool conCheque = esSi(configuracion_.buscar(
            kCaja, QStringLiteral("EGRESOS"), QStringLiteral("IMPRIMIR CON FORMATO DEL CHEQUE SI EL PAGO ES DEL BANCO")));
        if (conCheque && doc.montoBanco && !doc.montoBanco->esCero()) {
            tipoFormato = 72;
            prefijo = doc.prefijoBanco;
        }
        plan.cerrar = !esSi(configuracion_.buscar(kCaja, QStringLiteral("DOCUMENTOS"),
                                                  QStringLiteral("ESPERAR PARA IMPRIMIR VARIAS COPIAS DEL DOCUMENTO")));
    }
    if (general) prefijo = kFormatoGeneral;

    const auto principal = formato(tipoFormato, prefijo);
    if (!principal) {
        plan.error = kSinFormato;
        interaccion_.error(plan.error);
        return plan;
    }
    std::vector<Formato> formatos{*principal};
    if (tipo == 62) {
        const QString cuentaCheque =
            configuracion_
                .buscar(kCaja, QStringLiteral("EGRESOS"),
                        QStringLiteral("CODIGO DE LA CUENTA DEL BANCO PARA IMPRESION ADICIONAL DE CHEQUE"))
                .value_or(QString())
                .trimmed();
        if (!cuentaCheque.isEmpty() && cuentaCheque == doc.cuentaBanco)
            if (auto cheque = formato(72, doc.prefijoBanco)) formatos.push_back(*cheque);
    }
    for (const Formato& f : formatos) {
        const QString motivo = MotorImpresion::validar(f);
        if (!motivo.isEmpty()) {
            plan.error = motivo;
            interaccion_.error(motivo);
            return plan;
        }
    }
    for (Formato& f : formatos) {
        TrabajoImpresion t;
        t.titulo = titulo;
        t.impresora = impresoraDe(f, plan.previsualizar);
        if (f.papelAncho && f.papelAlto) t.papel = QSizeF(*f.papelAncho, *f.papelAlto);
        t.formato = std::move(f);
        plan.trabajos.push_back(std::move(t));
    }
    return plan;
}

ResultadoMotor dibujar(const TrabajoImpresion& trabajo, const DocumentoImpreso& documento, Lienzo& lienzo) {
    return MotorImpresion(trabajo.formato, documento, lienzo).imprimir();
}

QSizeF papelDe(const TrabajoImpresion& trabajo) {
    return trabajo.papel.isValid() && !trabajo.papel.isEmpty() ? trabajo.papel : QSizeF(8.5, 11);
}

namespace {

QPageSize tamanoPagina(const TrabajoImpresion& t) {
    return QPageSize(papelDe(t), QPageSize::Inch, QString(), QPageSize::ExactMatch);
}

// A file output that failed is reported, never counted as printed.
ResultadoMotor noSeEscribio(const QString& archivo, const QString& motivo) {
    ResultadoMotor r;
    r.error = QStringLiteral("No se pudo escribir el archivo ") + archivo;
    if (!motivo.isEmpty()) r.error += QStringLiteral(": ") + motivo;
    return r;
}

ResultadoMotor sinTrabajos(const PlanImpresion& plan) {
    ResultadoMotor r;
    r.error = plan.error.isEmpty() ? kSinFormato : plan.error;
    return r;
}

}  // namespace

ResultadoMotor imprimirPdf(const PlanImpresion& plan, const QString& archivo) {
    if (plan.trabajos.empty()) return sinTrabajos(plan);
    // Written aside and renamed into place: a PDF that cannot be written
    // whole (no room, no right) is reported and leaves no half file behind.
    // Not synced to disk: a print is made again from the saved document,
    // and the sync cost more than drawing the page.
    QTemporaryFile salida(archivo + QStringLiteral(".XXXXXX"));
    if (!salida.open()) return noSeEscribio(archivo, salida.errorString());
    QPdfWriter pdf(&salida);
    pdf.setResolution(300);
    pdf.setTitle(plan.trabajos.front().titulo);
    pdf.setCreator(QStringLiteral("C x Pagar"));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(tamanoPagina(plan.trabajos.front()));
    QPainter p;
    if (!p.begin(&pdf)) return noSeEscribio(archivo, salida.errorString());
    ResultadoMotor total;
    total.impreso = true;
    bool primera = true;
    for (const TrabajoImpresion& t : plan.trabajos) {
        if (!primera) {
            pdf.setPageSize(tamanoPagina(t));
            pdf.newPage();
        }
        primera = false;
        LienzoPintor lienzo(p, papelDe(t), pdf.resolution(), pdf.resolution(), [&pdf] { pdf.newPage(); });
        const ResultadoMotor r = dibujar(t, plan.documento.impreso, lienzo);
        total.paginas += r.paginas;
        if (!r.impreso) total = r;
    }
    if (!p.end() || !salida.flush()) return noSeEscribio(archivo, salida.errorString());
    salida.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                          QFileDevice::ReadOther);
    if (std::rename(QFile::encodeName(salida.fileName()).constData(), QFile::encodeName(archivo).constData()) != 0)
        return noSeEscribio(archivo, QString::fromLocal8Bit(std::strerror(errno)));
    salida.setAutoRemove(false);
    return total;
}

ResultadoMotor imprimirHtml(const PlanImpresion& plan, const QString& archivo) {
    if (plan.trabajos.empty()) return sinTrabajos(plan);
    QString html;
    ResultadoMotor total;
    total.impreso = true;
    for (const TrabajoImpresion& t : plan.trabajos) {
        LienzoHtml lienzo(papelDe(t), t.titulo);
        const ResultadoMotor r = dibujar(t, plan.documento.impreso, lienzo);
        if (!r.impreso) return r;
        total.paginas += r.paginas;
        html += lienzo.html();
    }
    QSaveFile f(archivo);
    const QByteArray bytes = html.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return noSeEscribio(archivo, f.errorString());
    return total;
}

ResultadoMotor imprimirPng(const PlanImpresion& plan, const QString& archivo, int ppp) {
    if (plan.trabajos.empty()) return sinTrabajos(plan);
    ResultadoMotor total;
    total.impreso = true;
    int n = 0;
    const QFileInfo info(archivo);
    auto nombre = [&](int k) {
        return k == 0 ? archivo
                      : info.path() + u'/' + info.completeBaseName() + u'-' + QString::number(k + 1) + QStringLiteral(".png");
    };
    for (const TrabajoImpresion& t : plan.trabajos) {
        const QSizeF papel = papelDe(t);
        QImage img(QSize(int(papel.width() * ppp), int(papel.height() * ppp)), QImage::Format_RGB32);
        img.setDotsPerMeterX(int(ppp / 0.0254));
        img.setDotsPerMeterY(int(ppp / 0.0254));
        img.fill(Qt::white);
        auto pintor = std::make_unique<QPainter>(&img);
        pintor->setRenderHint(QPainter::Antialiasing);
        pintor->setRenderHint(QPainter::TextAntialiasing);
        QString fallido;  // the first page that could not be written
        auto guardar = [&] {
            pintor->end();
            if (!img.save(nombre(n), "PNG") && fallido.isEmpty()) fallido = nombre(n);
            ++n;
            img.fill(Qt::white);
            pintor->begin(&img);
        };
        LienzoPintor lienzo(*pintor, papel, ppp, ppp, guardar);
        const ResultadoMotor r = dibujar(t, plan.documento.impreso, lienzo);
        pintor->end();
        if (!img.save(nombre(n), "PNG") && fallido.isEmpty()) fallido = nombre(n);
        ++n;
        if (!fallido.isEmpty()) return noSeEscribio(fallido, {});
        if (!r.impreso) return r;
        total.paginas += r.paginas;
    }
    return total;
}

}  // namespace cxp
