#include "images/SaneLibrary.h"
#include "images/ScannerImport.h"
#include "tests/images/SaneTestBackend.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

// Scans through SANE's virtual "test" scanner, configured per test.
class tst_ScannerImport : public QObject
{
    Q_OBJECT
private slots:
    void listsTheDevices();
    void acquire_data();
    void acquire();
    void threePassEqualsOnePass();
    void cancelledOrFailedScanGivesNothing_data();
    void cancelledOrFailedScanGivesNothing();
    void noDeviceIsAnError();
    void missingLibraryIsAnError();

private:
    QImage scan(const QStringList &options, const QString &device = {});
    SaneTestBackend m_sane;
};

namespace {
QSet<QRgb> colours(const QImage &image)
{
    QSet<QRgb> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            found.insert(image.pixel(x, y));
    return found;
}
} // namespace

QImage tst_ScannerImport::scan(const QStringList &options, const QString &device)
{
    if (!m_sane.configure("test", options))
        return {};
    ScannerImport scanner;
    QSignalSpy acquired(&scanner, &ScannerImport::acquired);
    scanner.Acquire(device);
    if (!acquired.wait(20000))
        return {};
    return acquired.first().first().value<QImage>();
}

void tst_ScannerImport::listsTheDevices()
{
    QVERIFY(m_sane.configure("test"));
    ScannerImport scanner;
    QSignalSpy listed(&scanner, &ScannerImport::sourcesListed);
    scanner.ListSources();
    QVERIFY(scanner.isBusy());
    QVERIFY(listed.wait(20000));
    QVERIFY(!scanner.isBusy());
    const auto devices = listed.first().first().value<ScannerDevices>();
    QCOMPARE(devices.size(), 2);
    QCOMPARE(devices[0].name, QString("test:0"));
    QCOMPARE(devices[1].name, QString("test:1"));
    QVERIFY(devices[0].label().contains("frontend-tester"));
}

void tst_ScannerImport::acquire_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("minColours");
    QTest::addColumn<bool>("grey");
    QTest::newRow("colour") << QStringList{} << "" << 8 << false;
    QTest::newRow("second device") << QStringList{} << "test:1" << 8 << false;
    QTest::newRow("grey 16 bit") << QStringList{"mode Gray", "depth 16"} << "" << 3 << true;
    QTest::newRow("line art") << QStringList{"mode Gray", "depth 1", "test-picture \"Grid\""} << ""
                              << 2 << true;
}

void tst_ScannerImport::acquire()
{
    QFETCH(QStringList, options);
    QFETCH(QString, device);
    QFETCH(int, minColours);
    QFETCH(bool, grey);
    const QImage picture = scan(options, device);
    // 80 x 100 mm at 50 dpi.
    QCOMPARE(picture.size(), QSize(157, 196));
    const QSet<QRgb> found = colours(picture);
    QVERIFY2(found.size() >= minColours, qPrintable(QString::number(found.size())));
    const bool allGrey = std::all_of(found.begin(), found.end(), [](QRgb c) {
        return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
    });
    QCOMPARE(allGrey, grey);
    if (QByteArray(QTest::currentDataTag()) == "line art")
        QCOMPARE(found, QSet<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 255)}));
}

void tst_ScannerImport::threePassEqualsOnePass()
{
    const QImage onePass = scan({});
    QVERIFY(!onePass.isNull());
    QCOMPARE(scan({"three-pass true"}), onePass);
}

void tst_ScannerImport::cancelledOrFailedScanGivesNothing_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("device");
    QTest::newRow("cancelled") << "SANE_STATUS_CANCELLED"
                               << "";
    QTest::newRow("jammed") << "SANE_STATUS_JAMMED"
                            << "";
    QTest::newRow("unknown device") << "Default"
                                    << "nosuch:0";
}

void tst_ScannerImport::cancelledOrFailedScanGivesNothing()
{
    QFETCH(QString, status);
    QFETCH(QString, device);
    QVERIFY(m_sane.configure("test", {QString("read-status-code \"%1\"").arg(status)}));
    ScannerImport scanner;
    QSignalSpy nothing(&scanner, &ScannerImport::nothingAcquired);
    QSignalSpy acquired(&scanner, &ScannerImport::acquired);
    QSignalSpy failed(&scanner, &ScannerImport::failed);
    scanner.Acquire(device);
    QVERIFY(nothing.wait(20000));
    QCOMPARE(acquired.count() + failed.count(), 0);
}

void tst_ScannerImport::noDeviceIsAnError()
{
    QVERIFY(m_sane.configure(""));
    ScannerImport scanner;
    QSignalSpy failed(&scanner, &ScannerImport::failed);
    scanner.Acquire({});
    QVERIFY(failed.wait(20000));
    scanner.ListSources();
    QVERIFY(failed.wait(20000));
    for (const auto &signal : failed)
        QCOMPARE(signal.first().value<ErrorInfo>().number, ScannerErrorNumber::DeviceUnavailable);
}

void tst_ScannerImport::missingLibraryIsAnError()
{
    ScannerImport scanner("lumora-no-such-scanner-library");
    QSignalSpy failed(&scanner, &ScannerImport::failed);
    scanner.Acquire({});
    QVERIFY(failed.wait(20000));
    const auto error = failed.first().first().value<ErrorInfo>();
    QCOMPARE(error.number, ScannerErrorNumber::LibraryNotLoaded);
    QVERIFY2(error.description.contains("lumora-no-such-scanner-library"),
             qPrintable(error.description));
}

QTEST_GUILESS_MAIN(tst_ScannerImport)
#include "tst_ScannerImport.moc"
