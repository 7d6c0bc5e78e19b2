#pragma once

#include "ravel/pages/RavelDialogUnits.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class CRavelCtrl;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// One property page of the component: fields bound to its properties, laid out in dialog
// units with the component's bitmap in the top left corner. A field is written through the
// component's dispatch table (its validation and jobs) only when it differs from what the
// page last showed or wrote. A value that the page's own check or the component refuses
// stays in its field, marked, and is reported by apply().
class RavelPropertyPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int WidthUnits = 250;
    static constexpr int HeightUnits = 110;

    enum class Exchange
    {
        // Every change of a field is written at once.
        Immediate,
        // Changes wait for apply().
        OnApply
    };

    RavelPropertyPage(const QString &caption, Exchange exchange, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    // The component whose properties the page edits (a CRavelCtrl); fills the fields.
    Q_INVOKABLE void setControl(QObject *control);
    CRavelCtrl *control() const;

    // Fills every field from the component.
    void refresh();
    // Writes the fields that changed; false when one of them was refused.
    bool apply();
    bool isModified() const { return m_modified; }

    struct Refusal
    {
        QWidget *field;
        QString text;
    };
    // The first field whose value was refused, and why.
    std::optional<Refusal> refusal() const;
    // Why the field bound to `property` was refused; nullopt when it was not.
    std::optional<QString> refusalOf(const QString &property) const;

signals:
    void modifiedChanged(bool modified);

protected:
    const RavelDialogUnits &units() const { return m_units; }
    QLabel *addLabel(const QString &text, const QRect &dlu, QWidget *buddy = nullptr);
    QLineEdit *addText(const QString &property, const QRect &dlu, int maxLength = 0);
    QLineEdit *addPassword(const QString &property, const QRect &dlu, int maxLength = 0);
    // A number box; with `spin`, arrows step it. The page accepts low to high.
    QSpinBox *addNumber(const QString &property, const QRect &dlu, int low, int high, bool spin);
    QCheckBox *addCheck(const QString &property, const QString &text, const QRect &dlu);
    QComboBox *addList(const QString &property, const QStringList &items, const QRect &dlu);
    // Radio buttons whose index is the property's value.
    QButtonGroup *addRadios(const QString &property, const QStringList &texts,
                            const QList<QRect> &dlu);
    // Called after every exchange of the page's data, in either direction.
    virtual void exchanged() {}

private:
    struct Binding
    {
        QString property;
        QWidget *field;
        std::function<QVariant()> value;
        std::function<void(const QVariant &)> show;
        // The page's own check: a reason to refuse the field's value, or nothing.
        std::function<std::optional<QString>()> check;
        QVariant shown;
        std::optional<QString> refused;
    };
    void bind(Binding binding);
    void place(QWidget *widget, const QRect &dlu) const;
    void fieldChanged();
    bool write(Binding &binding);
    void mark(Binding &binding, std::optional<QString> refused);
    void setModified(bool modified);

    QString m_caption;
    Exchange m_exchange;
    RavelDialogUnits m_units;
    QPointer<QObject> m_control;
    std::vector<Binding> m_bindings;
    bool m_refreshing = false;
    bool m_modified = false;
};
