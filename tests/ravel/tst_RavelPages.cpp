#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"
#include "ravel/RavelError.h"
#include "ravel/RavelRegistry.h"
#include "ravel/pages/CRavelLoginPropPage.h"
#include "ravel/pages/CRavelMiscPropPage.h"
#include "ravel/pages/CRavelProxyPropPage.h"
#include "ravel/pages/CRavelSettingsPropPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The property pages, their frame and the about box, driven as a user would.
class tst_RavelPages : public QObject
{
    Q_OBJECT
private slots:
    void pageLayout_data();
    void pageLayout();
    void timeoutBoxRefusesWhatThePropertyTakes();
    void proxyPortChecks_data();
    void proxyPortChecks();
    void proxyFieldsFollowProxyUse();
    void exchangeTiming_data();
    void exchangeTiming();
    void frameAndAboutBox();
    void pagesByProgId();

private:
    CRavelCtrl m_ctrl;
};

namespace {
std::unique_ptr<RavelPropertyPage> makePage(const QString &name)
{
    if (name == QLatin1String("Login"))
        return std::make_unique<CRavelLoginPropPage>();
    if (name == QLatin1String("Settings"))
        return std::make_unique<CRavelSettingsPropPage>();
    if (name == QLatin1String("Proxy"))
        return std::make_unique<CRavelProxyPropPage>();
    return std::make_unique<CRavelMiscPropPage>();
}

// Replaces a field's text in one edit, as a paste does.
void retype(QWidget *field, const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (auto *spin = qobject_cast<QSpinBox *>(field))
        edit = spin->findChild<QLineEdit *>();
    QVERIFY(edit->isEnabled());
    edit->selectAll();
    edit->insert(text);
}

void put(CRavelCtrl &ctrl, const char *name, const QVariant &value)
{
    const auto r =
        RavelDispatch::invoke(ctrl, QLatin1String(name), RavelDispatch::Kind::Put, {value});
    QVERIFY2(!r.error, r.error ? qPrintable(r.error->description()) : "");
}
} // namespace

void tst_RavelPages::pageLayout_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");
    QTest::newRow("login") << "Login"
                           << "Login Info";
    QTest::newRow("settings") << "Settings"
                              << "FTP Settings";
    QTest::newRow("proxy") << "Proxy"
                           << "Firewall";
    QTest::newRow("misc") << "Misc"
                          << "File Settings";
}

void tst_RavelPages::pageLayout()
{
    QFETCH(QString, page);
    QFETCH(QString, caption);
    const auto p = makePage(page);
    QCOMPARE(p->caption(), caption);
    const QFontMetrics metrics(p->font());
    QCOMPARE(p->size(),
             QSize((250 * metrics.averageCharWidth() + 2) / 4, (110 * metrics.height() + 4) / 8));
    const auto *bitmap = p->findChild<QLabel *>(QStringLiteral("bitmap"));
    QVERIFY(bitmap && !bitmap->pixmap().isNull());
    QVERIFY(bitmap->x() < p->width() / 8 && bitmap->y() < p->height() / 8);
    // Every control lies inside the page and does not cover the bitmap.
    const QRect bitmapArea = bitmap->geometry();
    for (const QWidget *w : p->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(p->rect().contains(w->geometry()), qPrintable(w->objectName()));
        if (w != bitmap)
            QVERIFY2(!w->geometry().intersects(bitmapArea), qPrintable(w->objectName()));
    }
}

void tst_RavelPages::timeoutBoxRefusesWhatThePropertyTakes()
{
    CRavelSettingsPropPage page;
    page.setControl(&m_ctrl);
    auto *timeout = page.findChild<QSpinBox *>(QStringLiteral("TimeOut"));
    timeout->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(timeout, QStringLiteral("4"));
    QVERIFY(page.isModified());
    QVERIFY(!page.apply());
    QCOMPARE(page.refusalOf(QStringLiteral("TimeOut")),
             QStringLiteral("Enter a number from 5 to 100."));
    QCOMPARE(m_ctrl.TimeOut(), 30);

    put(m_ctrl, "TimeOut", 4);
    QCOMPARE(m_ctrl.TimeOut(), 4);

    retype(timeout, QStringLiteral("45"));
    QVERIFY(page.apply());
    QCOMPARE(m_ctrl.TimeOut(), 45);
    QVERIFY(!page.refusalOf(QStringLiteral("TimeOut")));
    put(m_ctrl, "TimeOut", 30);
}

void tst_RavelPages::proxyPortChecks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("component refuses 40000")
        << "40000" << 2323
        << QStringLiteral("380 - ") + RavelError::textOf(RavelError::TextOutOfRange);
    QTest::newRow("page refuses 70000") << "70000" << 2323 << "Enter a number from 0 to 65535.";
    QTest::newRow("empty") << "" << 2323 << "Enter a number from 0 to 65535.";
    QTest::newRow("accepted") << "8080" << 8080 << QString();
}

void tst_RavelPages::proxyPortChecks()
{
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QFETCH(QString, refusal);
    put(m_ctrl, "UseProxy", true);
    put(m_ctrl, "ProxyPort", 2323);
    CRavelProxyPropPage page;
    page.setControl(&m_ctrl);
    auto *port = page.findChild<QSpinBox *>(QStringLiteral("ProxyPort"));
    QVERIFY(port->isEnabled());
    retype(port, typed);
    QCOMPARE(m_ctrl.ProxyPort(), stored);
    QCOMPARE(page.refusalOf(QStringLiteral("ProxyPort")).value_or(QString()), refusal);
    QCOMPARE(page.apply(), refusal.isEmpty());
}

void tst_RavelPages::proxyFieldsFollowProxyUse()
{
    put(m_ctrl, "UseProxy", true);
    CRavelProxyPropPage page;
    page.setControl(&m_ctrl);
    const QStringList fields = {"ProxyPort", "ProxyType", "ProxyUserID", "ProxyPassWd",
                                "ProxyHost"};
    const auto all = [&](bool enabled) {
        for (const QString &name : fields) {
            const auto *field = page.findChild<QWidget *>(name);
            const auto *label = page.findChild<QLabel *>(QStringLiteral("lbl") + name);
            if (!field || !label || field->isEnabled() != enabled || label->isEnabled() != enabled)
                return false;
        }
        return true;
    };
    QVERIFY(all(true));
    page.show();
    auto *use = page.findChild<QCheckBox *>(QStringLiteral("UseProxy"));
    QTest::mouseClick(use, Qt::LeftButton, {}, QPoint(4, use->height() / 2));
    QVERIFY(!use->isChecked());
    QVERIFY(all(false));
    QCOMPARE(m_ctrl.property("UseProxy"), QVariant(false));
    QTest::mouseClick(use, Qt::LeftButton, {}, QPoint(4, use->height() / 2));
    QVERIFY(all(true));
    QCOMPARE(m_ctrl.property("UseProxy"), QVariant(true));
    put(m_ctrl, "UseProxy", false);
    page.refresh();
    QVERIFY(all(false));
}

void tst_RavelPages::exchangeTiming_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<bool>("atOnce");
    QTest::newRow("host") << "Login"
                          << "RemoteHost"
                          << "127.0.0.1" << QVariant("127.0.0.1") << true;
    QTest::newRow("account") << "Login"
                             << "Account"
                             << "acct" << QVariant("acct") << true;
    QTest::newRow("log file") << "Misc"
                              << "LogFileName"
                              << "x.log" << QVariant("x.log") << true;
    QTest::newRow("remote file") << "Misc"
                                 << "RemoteFile"
                                 << "a b" << QVariant("a b") << true;
    QTest::newRow("port") << "Settings"
                          << "Port"
                          << "2121" << QVariant(2121) << false;
    QTest::newRow("init dir") << "Settings"
                              << "InitDir"
                              << "/pub" << QVariant("/pub") << false;
}

void tst_RavelPages::exchangeTiming()
{
    QFETCH(QString, page);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QVariant, expected);
    QFETCH(bool, atOnce);
    CRavelCtrl ctrl;
    const QVariant before = ctrl.property(field.toLatin1().constData());
    const auto p = makePage(page);
    p->setControl(&ctrl);
    retype(p->findChild<QWidget *>(field), typed);
    QCOMPARE(ctrl.property(field.toLatin1().constData()), atOnce ? expected : before);
    QCOMPARE(p->isModified(), !atOnce);
    QVERIFY(p->apply());
    QCOMPARE(ctrl.property(field.toLatin1().constData()), expected);
}

void tst_RavelPages::frameAndAboutBox()
{
    QStringList seen;
    const auto inspect = [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen << modal->windowTitle();
        if (auto *tabs = modal->findChild<QTabWidget *>())
            for (int i = 0; i < tabs->count(); ++i)
                seen << tabs->tabText(i);
        if (auto *version = modal->findChild<QLabel *>(QStringLiteral("version")))
            seen << version->text();
        static_cast<QDialog *>(modal)->reject();
    };
    for (const char *method : {"ShowPropPage", "AboutBox"}) {
        QTimer::singleShot(0, this, inspect);
        const auto r =
            RavelDispatch::invoke(m_ctrl, QLatin1String(method), RavelDispatch::Kind::Call, {});
        QVERIFY(!r.error);
    }
    QCOMPARE(seen, QStringList({"Ravel Control", "Login Info", "FTP Settings", "Firewall",
                                "File Settings", "About Ravel Control",
                                "Ravel Threaded, Version ALPHA"}));
}

void tst_RavelPages::pagesByProgId()
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCOMPARE(RavelRegistry::registerServer(), RavelRegistry::Ok);
    for (const RavelRegistry::ClassInfo &c : RavelRegistry::classes()) {
        if (c.control)
            continue;
        QString error;
        std::unique_ptr<QObject> made(RavelRegistry::createObject(c.progId, nullptr, &error));
        auto *page = qobject_cast<RavelPropertyPage *>(made.get());
        QVERIFY2(page, qPrintable(error));
        QCOMPARE(page->caption(), c.name);
        QVERIFY(QMetaObject::invokeMethod(page, "setControl", Q_ARG(QObject *, &m_ctrl)));
        QCOMPARE(page->control(), &m_ctrl);
    }
}

QTEST_MAIN(tst_RavelPages)
#include "tst_RavelPages.moc"
