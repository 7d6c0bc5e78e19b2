#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class CRavelCtrl;

// The statements of `lumora ravel`, run one line at a time against one component. Every
// result and every event becomes one output line, in the order they happen.
class RavelScript
{
public:
    using Output = std::function<void(const QString &line)>;

    RavelScript(CRavelCtrl &ctrl, Output output);

    void run(const QString &line);

    // A literal of the script: "C string", decimal integer, True, False, or - (missing).
    static std::optional<QVariant> parseLiteral(const QString &token);
    // Splits a line into words; quoted words keep their quotes. Nullopt when a quote is open.
    static std::optional<QStringList> split(const QString &line);
    // A value as the script prints it.
    static QString format(const QVariant &value);

    // A longer `wait` is a mistake: its milliseconds would not fit a timer.
    static constexpr double MaxWaitSeconds = 24 * 3600;

private:
    void access(const QStringList &words);
    void waitFor(int milliseconds);
    void waitIdle();
    // `save FILE` and `load FILE`: the component's saved settings, as a host document keeps them.
    void persist(bool save, const QString &fileName);
    void syntax(const QString &what);
    void printEvent(const QString &name, const QVariantList &args);
    void connectEvents();

    CRavelCtrl &m_ctrl;
    Output m_output;
};
