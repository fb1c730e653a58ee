#include "printing/reportes/SalidaInforme.h"

#include "printing/motor/Lienzos.h"
#include "printing/reportes/VistaPrevia.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace cxp::reportes {

namespace {

struct TipoArchivo {
    FormatoArchivo formato;
    const char* titulo;
    const char* extension;
};
const TipoArchivo kTipos[] = {
    {FormatoArchivo::Pdf, "PDF (*.pdf)", ".pdf"},
    {FormatoArchivo::Html, "Página web (*.htm)", ".htm"},
    {FormatoArchivo::Texto, "Texto (*.txt)", ".txt"},
    {FormatoArchivo::Rtf, "Texto enriquecido (*.rtf)", ".rtf"},
    {FormatoArchivo::Xlsx, "Libro de Excel 2007-365 (*.xlsx)", ".xlsx"},
};

bool pintar(const Paginado& paginado, QPrinter& impresora) {
    impresora.setFullPage(true);
    QPainter p;
    if (!p.begin(&impresora)) return false;
    const double ppp = impresora.resolution();
    LienzoPintor l(p, paginado.papel(), ppp, ppp, [&impresora] { impresora.newPage(); });
    paginado.dibujar(l);
    return p.end();
}

void prepararImpresora(QPrinter& impresora, const Paginado& paginado, const QString& titulo) {
    impresora.setFullPage(true);
    impresora.setPageSize(QPageSize(paginado.papel(), QPageSize::Inch, QString(), QPageSize::ExactMatch));
    impresora.setPageMargins(QMarginsF(0, 0, 0, 0));
    impresora.setDocName(titulo);
}

}  // namespace

DialogoSalida::DialogoSalida(const QString& nombre, QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("Salida del informe"));
    auto* rejilla = new QGridLayout(this);
    previa_ = new QRadioButton(QStringLiteral("&Vista previa"), this);
    impresora_ = new QRadioButton(QStringLiteral("&Impresora"), this);
    archivo_ = new QRadioButton(QStringLiteral("&Archivo:"), this);
    previa_->setChecked(true);
    formato_ = new QComboBox(this);
    for (const TipoArchivo& t : kTipos) formato_->addItem(QString::fromUtf8(t.titulo));
    ruta_ = new QLineEdit(QDir::home().filePath(nombre), this);
    auto* buscar = new QPushButton(QStringLiteral("..."), this);
    buscar->setFixedWidth(32);
    rejilla->addWidget(previa_, 0, 0, 1, 3);
    rejilla->addWidget(impresora_, 1, 0, 1, 3);
    rejilla->addWidget(archivo_, 2, 0);
    rejilla->addWidget(formato_, 2, 1, 1, 2);
    rejilla->addWidget(ruta_, 3, 1);
    rejilla->addWidget(buscar, 3, 2);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    rejilla->addWidget(botones, 4, 0, 1, 3);
    auto habilitar = [this] {
        formato_->setEnabled(archivo_->isChecked());
        ruta_->setEnabled(archivo_->isChecked());
    };
    habilitar();
    connect(archivo_, &QRadioButton::toggled, this, habilitar);
    connect(buscar, &QPushButton::clicked, this, [this] {
        archivo_->setChecked(true);
        elegirArchivo();
    });
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DialogoSalida::elegirArchivo() {
    QStringList filtros;
    for (const TipoArchivo& t : kTipos) filtros.append(QString::fromUtf8(t.titulo));
    QString filtro = filtros.value(formato_->currentIndex());
    const QString f = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar informe"), ruta_->text(),
                                                   filtros.join(QStringLiteral(";;")), &filtro);
    if (f.isEmpty()) return;
    ruta_->setText(f);
    formato_->setCurrentIndex(std::max(0, int(filtros.indexOf(filtro))));
}

DialogoSalida::Destino DialogoSalida::destino() const {
    if (impresora_->isChecked()) return Destino::Impresora;
    if (archivo_->isChecked()) return Destino::Archivo;
    return Destino::VistaPrevia;
}

FormatoArchivo DialogoSalida::formato() const {
    return kTipos[std::clamp(formato_->currentIndex(), 0, int(std::size(kTipos)) - 1)].formato;
}

QString DialogoSalida::archivo() const {
    QString f = ruta_->text().trimmed();
    const QString ext = QString::fromLatin1(kTipos[std::clamp(formato_->currentIndex(), 0, int(std::size(kTipos)) - 1)].extension);
    if (!f.isEmpty() && QFileInfo(f).suffix().isEmpty()) f += ext;
    return f;
}

void vistaPrevia(const Paginado& paginado, const QString& titulo, QWidget* padre) {
    VistaPrevia dialogo(paginado, titulo, padre);
    dialogo.exec();
}

bool imprimir(const Paginado& paginado, const QString& titulo, QWidget* padre, QString* error) {
    QPrinter impresora(QPrinter::HighResolution);
    prepararImpresora(impresora, paginado, titulo);
    QPrintDialog dialogo(&impresora, padre);
    if (dialogo.exec() != QDialog::Accepted) return false;
    if (pintar(paginado, impresora)) return true;
    if (error) *error = QStringLiteral("No se pudo iniciar la impresión en ") + impresora.printerName();
    return false;
}

bool enviar(const Paginado& paginado, const QString& titulo, const QString& nombreArchivo, QWidget* padre,
            QString* error) {
    DialogoSalida d(nombreArchivo, padre);
    if (d.exec() != QDialog::Accepted) return false;
    switch (d.destino()) {
    case DialogoSalida::Destino::VistaPrevia:
        vistaPrevia(paginado, titulo, padre);
        return true;
    case DialogoSalida::Destino::Impresora:
        return imprimir(paginado, titulo, padre, error);
    case DialogoSalida::Destino::Archivo:
        if (d.archivo().isEmpty()) {
            if (error) *error = QStringLiteral("Escriba el nombre del archivo.");
            return false;
        }
        return escribirArchivo(paginado, d.formato(), d.archivo(), titulo, error);
    }
    return false;
}

}  // namespace cxp::reportes
