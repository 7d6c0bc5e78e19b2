#include "PrivateKeyring.h"
#include "project/SettingsStore.h"
#include "upload/PasswordKeyring.h"
#include "upload/SitePasswords.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

// Passwords in a real keyring daemon on a private session bus, and where they stay without it.
class tst_Keyring : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void remember_data();
    void remember();
    void settingsPasswordMoves_data();
    void settingsPasswordMoves();
    void droppedSiteLeavesTheKeyring();

private:
    std::optional<QString> inKeyring(const FtpSite &site);
    QString inSettings(int slot);
    void settle(SitePasswords &passwords);

    PrivateKeyring m_daemons;
    // Reads the keyring whatever the switch says to the keyring under test.
    PasswordKeyring m_reader;
};

void tst_Keyring::initTestCase()
{
    if (const QString missing = PrivateKeyring::missingProgram(); !missing.isEmpty())
        QSKIP(qPrintable(missing + " is not installed (Debian packages dbus, gnome-keyring)"));
    const QString failure = m_daemons.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                 QStringLiteral("org.freedesktop.secrets")),
                             10000);
    qputenv("LUMORA_KEYRING", "on");
    std::optional<bool> reachable;
    m_reader.probe([&](bool yes) { reachable = yes; });
    QTRY_VERIFY(reachable.has_value());
    QVERIFY(*reachable);
}

void tst_Keyring::init()
{
    QFile::remove(SettingsStore().fileName());
    qputenv("LUMORA_KEYRING", "on");
}

std::optional<QString> tst_Keyring::inKeyring(const FtpSite &site)
{
    std::optional<std::optional<QString>> answer;
    m_reader.read(PasswordKeyring::keyFor(site.url, site.userName),
                  [&](std::optional<QString> password) { answer = password; });
    if (!QTest::qWaitFor([&] { return answer.has_value(); }))
        qWarning("the keyring's reader never answered");
    return answer.value_or(std::nullopt);
}

QString tst_Keyring::inSettings(int slot)
{
    SettingsStore store;
    return FtpSiteMemory(store).LoadFtpSite(slot).password;
}

void tst_Keyring::settle(SitePasswords &passwords)
{
    QTRY_VERIFY_WITH_TIMEOUT(!passwords.busy(), 3 * PasswordKeyring::AnswerMs);
}

void tst_Keyring::remember_data()
{
    QTest::addColumn<bool>("keyringOn");
    QTest::newRow("keyring") << true;
    QTest::newRow("switched off") << false;
}

void tst_Keyring::remember()
{
    QFETCH(bool, keyringOn);
    if (!keyringOn)
        qputenv("LUMORA_KEYRING", "off");
    const FtpSite site{QTest::currentDataTag(), "ann", "s3cret", "/up/", "/a.html"};
    SettingsStore store;
    PasswordKeyring keyring;
    SitePasswords passwords(store, keyring);
    passwords.start();
    settle(passwords);
    QSignalSpy stored(&passwords, &SitePasswords::stored);
    QCOMPARE(passwords.remember(site)[0], site);
    settle(passwords);
    QTRY_COMPARE(stored.size(), 1);
    QCOMPARE(stored[0][0].toString(),
             keyringOn ? SitePasswords::InKeyring : SitePasswords::InSettingsFile);
    QCOMPARE(inSettings(1), keyringOn ? QString() : site.password);
    QCOMPARE(inKeyring(site), keyringOn ? std::optional(site.password) : std::nullopt);
    QCOMPARE(QFile::permissions(store.fileName()) &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
}

void tst_Keyring::settingsPasswordMoves_data()
{
    QTest::addColumn<bool>("window");
    QTest::newRow("window reads the sites") << true;
    QTest::newRow("command line remembers another") << false;
}

void tst_Keyring::settingsPasswordMoves()
{
    QFETCH(bool, window);
    const FtpSite old{QTest::currentDataTag(), "bob", "old", "/", "/a.html"};
    SettingsStore store;
    FtpSiteMemory(store).SaveFtpSite(1, old);
    PasswordKeyring keyring;
    SitePasswords passwords(store, keyring);
    passwords.start();
    if (window)
        passwords.load(FtpSiteMemory(store).LoadFtpSiteList());
    settle(passwords);
    if (!window)
        passwords.remember({"other.example", "bob", "new", "/", "/a.html"});
    settle(passwords);
    const int slot = window ? 1 : 2;
    QCOMPARE(inSettings(slot), window ? QString() : old.password);
    QCOMPARE(inKeyring(old), window ? std::optional(old.password) : std::nullopt);
    QCOMPARE(passwords.known(FtpSiteMemory(store).LoadFtpSite(slot)).password, old.password);
}

void tst_Keyring::droppedSiteLeavesTheKeyring()
{
    SettingsStore store;
    PasswordKeyring keyring;
    SitePasswords passwords(store, keyring);
    passwords.start();
    settle(passwords);
    QList<FtpSite> sites;
    for (const char *host : {"one.example", "two.example", "three.example", "four.example"})
        sites.append({host, "ann", QStringLiteral("pw-") + host, "/", "/a.html"});
    // The same host under another user replaces the first site in the list.
    sites.append({"two.example", "bob", "pw-bob", "/", "/a.html"});
    sites.append({"five.example", "ann", "pw-five", "/", "/a.html"});
    for (const FtpSite &site : sites) {
        passwords.remember(site);
        settle(passwords);
    }
    // Four sites stay listed; one.example fell off the end, two.example's ann was replaced.
    for (const FtpSite &site : sites) {
        const bool dropped =
            site.url == "one.example" || (site.url == "two.example" && site.userName == "ann");
        QCOMPARE(inKeyring(site), dropped ? std::nullopt : std::optional(site.password));
    }
}

QTEST_GUILESS_MAIN(tst_Keyring)
#include "tst_Keyring.moc"
