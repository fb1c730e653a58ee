// The grid adapter: formats, signals that follow the dataset, and edits
// that go through edit / setValue / post. Qt's model tester watches every
// test for broken model contracts.
#include "data/DataSetModel.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QSignalSpy>
#include <gtest/gtest.h>

using cxp::DataSet;
using cxp::DataSetError;
using cxp::DataSetModel;
using cxp::Dinero;
using cxp::FieldType;

namespace {

QStringList modelWarnings;

void collect(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type != QtDebugMsg && type != QtInfoMsg) modelWarnings << msg;
}

class DataSetModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        modelWarnings.clear();
        previous = qInstallMessageHandler(collect);
        ds.openEmpty({
            {"ID", FieldType::Integer, 0, 0, true, "T"},
            {"NIT", FieldType::String, 5, 0, false, "T"},
            {"MONTO", FieldType::Decimal, 0, 2, false, "T"},
            {"FECHA", FieldType::Date, 0, 0, false, "T"},
            {"OCULTO", FieldType::String, 0, 0, false, "T"},
        });
        ds.field("OCULTO").setVisible(false);
        ds.field("MONTO").setLabel("Monto");
        for (int i = 1; i <= 3; ++i) add(i, QString::number(i), "1");
        model = std::make_unique<DataSetModel>(ds);
        tester = std::make_unique<QAbstractItemModelTester>(model.get(),
                                                            QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override {
        tester.reset();
        model.reset();
        qInstallMessageHandler(previous);
        EXPECT_TRUE(modelWarnings.isEmpty()) << modelWarnings.join('\n').toStdString();
    }
    void add(int id, const QString& nit, const char* monto) {
        ds.append();
        ds.setValue("ID", id);
        ds.setValue("NIT", nit);
        ds.setValue("MONTO", *Dinero::desdeTexto(QString::fromLatin1(monto)));
        ds.post();
    }
    QVariant at(int row, const char* field, int role = Qt::DisplayRole) {
        return model->data(model->index(row, model->columnOf(field)), role);
    }

    QtMessageHandler previous = nullptr;
    DataSet ds;
    std::unique_ptr<DataSetModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

TEST_F(DataSetModelTest, ShowsMoneyAndDatesTheSameWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ds.setCurrentRow(0);
    ds.edit();
    ds.setValue("MONTO", *Dinero::desdeTexto(u"-1234567.8"));
    ds.setValue("FECHA", QDate(2024, 3, 5));
    ds.post();
    EXPECT_EQ(model->columnCount(), 4) << "hidden fields are no column";
    EXPECT_EQ(model->columnOf("OCULTO"), -1);
    EXPECT_EQ(model->headerData(model->columnOf("MONTO"), Qt::Horizontal).toString(), "Monto");
    EXPECT_EQ(model->headerData(model->columnOf("NIT"), Qt::Horizontal).toString(), "NIT");
    EXPECT_EQ(at(0, "MONTO").toString(), "-1,234,567.80");
    EXPECT_EQ(at(0, "MONTO", Qt::EditRole).toString(), "-1234567.80");
    EXPECT_EQ(at(0, "FECHA").toString(), "2024/03/05");
    EXPECT_EQ(at(1, "FECHA").toString(), "");
    EXPECT_EQ(at(0, "ID").toString(), "1");
    EXPECT_TRUE(at(0, "MONTO", Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    EXPECT_FALSE(at(0, "NIT", Qt::TextAlignmentRole).isValid());
    QLocale::setDefault(QLocale::c());

    ds.field("OCULTO").setVisible(true);
    EXPECT_EQ(model->columnCount(), 5);
}

TEST_F(DataSetModelTest, SignalsFollowTheDataSet) {
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy current(model.get(), &DataSetModel::currentRowChanged);

    ds.setCurrentRow(1);
    ds.insert();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 1);
    EXPECT_EQ(model->rowCount(), 4);
    ds.setValue("NIT", "X");
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    ds.cancel();
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(at(1, "NIT").toString(), "2");

    ds.last();
    ds.remove();
    EXPECT_EQ(removed.size(), 2);
    EXPECT_EQ(current.last()[0].toInt(), 1);

    ds.sort("NIT", false);
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(at(0, "NIT").toString(), "2");
    EXPECT_EQ(current.last()[0].toInt(), 0) << "the current row moved with the sort";
}

TEST_F(DataSetModelTest, EditsPostAndRefusalsLeaveTheRowAsItWas) {
    QSignalSpy refused(model.get(), &DataSetModel::editRefused);
    const QModelIndex monto = model->index(2, model->columnOf("MONTO"));
    EXPECT_TRUE(model->setData(monto, "1,500.25"));
    EXPECT_EQ(ds.currentRow(), 2);
    EXPECT_EQ(ds.state(), DataSet::State::Browse);
    EXPECT_EQ(ds.asDinero("MONTO"), *Dinero::desdeTexto(u"1500.25"));

    EXPECT_FALSE(model->setData(monto, "1.505"));
    EXPECT_FALSE(model->setData(monto, "doce"));
    EXPECT_FALSE(model->setData(model->index(2, model->columnOf("NIT")), "123456"));
    ASSERT_EQ(refused.size(), 3);
    EXPECT_EQ(refused[2][1].toString(), "NIT");
    EXPECT_EQ(ds.state(), DataSet::State::Browse);
    EXPECT_EQ(at(2, "NIT").toString(), "3");

    ds.beforePost([](DataSet& s) {
        if (s.asString("NIT") == "NO") throw DataSetError("No se acepta.", "NIT");
    });
    EXPECT_FALSE(model->setData(model->index(0, model->columnOf("NIT")), "NO"));
    EXPECT_EQ(at(0, "NIT").toString(), "1") << "a refused post cancels the edit";

    EXPECT_TRUE(model->setData(model->index(1, model->columnOf("FECHA")), "2024/12/31"));
    EXPECT_EQ(ds.asDate("FECHA"), QDate(2024, 12, 31));
    EXPECT_TRUE(model->setData(model->index(1, model->columnOf("FECHA")), ""));
    EXPECT_TRUE(ds.isNull("FECHA"));
}

TEST_F(DataSetModelTest, ARowBeingInsertedStaysOpenUntilTheGridLeavesIt) {
    ds.append();
    const int row = ds.currentRow();
    EXPECT_TRUE(model->setData(model->index(row, model->columnOf("NIT")), "N"));
    EXPECT_EQ(ds.state(), DataSet::State::Insert);
    QSignalSpy refused(model.get(), &DataSetModel::editRefused);
    // Leaving the row posts it: ID is required and missing.
    EXPECT_FALSE(model->setData(model->index(0, model->columnOf("NIT")), "Z"));
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0][1].toString(), "ID");
    EXPECT_EQ(ds.currentRow(), row);
    EXPECT_TRUE(model->setData(model->index(row, model->columnOf("ID")), 9));
    EXPECT_TRUE(model->setData(model->index(0, model->columnOf("NIT")), "Z"));
    EXPECT_EQ(ds.row(row).asInt("ID"), 9);
}

TEST_F(DataSetModelTest, ReadOnlyFieldsAndModelsRefuseEdits) {
    ds.field("ID").setReadOnly(true);
    EXPECT_FALSE(model->flags(model->index(0, model->columnOf("ID"))) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->setData(model->index(0, model->columnOf("ID")), 5));
    model->setReadOnly(true);
    EXPECT_FALSE(model->setData(model->index(0, model->columnOf("NIT")), "Q"));
    EXPECT_EQ(at(0, "NIT").toString(), "1");
}

TEST_F(DataSetModelTest, ADetailModelFollowsTheMasterRow) {
    DataSet lineas;
    lineas.openEmpty({{"ID", FieldType::Integer}, {"VALOR", FieldType::Decimal, 0, 2}});
    ds.addDetail(lineas, {"ID"}, {"ID"});
    DataSetModel detalle(lineas);
    QAbstractItemModelTester watch(&detalle, QAbstractItemModelTester::FailureReportingMode::Warning);
    ds.first();
    lineas.append();
    lineas.setValue("VALOR", 5);
    lineas.post();
    EXPECT_EQ(detalle.rowCount(), 1);
    ds.next();
    EXPECT_EQ(detalle.rowCount(), 0);
    ds.first();
    EXPECT_EQ(detalle.data(detalle.index(0, 1)).toString(), "5.00");
    ds.remove();
    EXPECT_EQ(detalle.rowCount(), 0);
}

TEST(DataSetModelLifetime, OutlivingItsDataSetShowsNothing) {
    auto ds = std::make_unique<DataSet>();
    ds->openEmpty({{"A", FieldType::Integer}});
    ds->append();
    ds->post();
    DataSetModel model(*ds);
    EXPECT_EQ(model.rowCount(), 1);
    ds.reset();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
}
