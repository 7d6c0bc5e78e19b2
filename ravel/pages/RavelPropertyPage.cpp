#include "ravel/pages/RavelPropertyPage.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

RavelPropertyPage::RavelPropertyPage(const QString &caption, Exchange exchange, QWidget *parent)
    : QWidget(parent), m_caption(caption), m_exchange(exchange), m_units(font())
{
    setWindowTitle(caption);
    setFixedSize(m_units.size(WidthUnits, HeightUnits));
    auto *bitmap = new QLabel(this);
    bitmap->setObjectName(QStringLiteral("bitmap"));
    bitmap->setPixmap(QPixmap(QStringLiteral(":/ravel/Ravel.png")));
    bitmap->move(m_units.x(7), m_units.y(7));
    bitmap->adjustSize();
}

void RavelPropertyPage::setControl(QObject *control)
{
    m_control = qobject_cast<CRavelCtrl *>(control);
    refresh();
}

CRavelCtrl *RavelPropertyPage::control() const
{
    return qobject_cast<CRavelCtrl *>(m_control.data());
}

void RavelPropertyPage::refresh()
{
    CRavelCtrl *ctrl = control();
    if (!ctrl)
        return;
    m_refreshing = true;
    for (Binding &b : m_bindings) {
        const RavelDispatch::Result read =
            RavelDispatch::invoke(*ctrl, b.property, RavelDispatch::Kind::Get, {});
        if (!read.error)
            b.show(read.value);
        b.shown = b.value();
        mark(b, std::nullopt);
    }
    m_refreshing = false;
    setModified(false);
    exchanged();
}

bool RavelPropertyPage::apply()
{
    bool accepted = true;
    if (control()) {
        for (Binding &b : m_bindings) {
            // A box whose text is no number still holds its last value: check it all the same.
            const bool invalid = b.check && b.check();
            if (invalid || b.refused || b.value().toString() != b.shown.toString())
                accepted = write(b) && accepted;
        }
    }
    if (accepted)
        setModified(false);
    exchanged();
    return accepted;
}

bool RavelPropertyPage::write(Binding &b)
{
    if (std::optional<QString> reason = b.check ? b.check() : std::nullopt) {
        mark(b, reason);
        return false;
    }
    CRavelCtrl &ctrl = *control();
    const QVariant value = b.value();
    const RavelDispatch::Result put =
        RavelDispatch::invoke(ctrl, b.property, RavelDispatch::Kind::Put, {value});
    if (put.error) {
        mark(b, QStringLiteral("%1 - %2").arg(put.error->number()).arg(put.error->description()));
        return false;
    }
    // A setter whose job failed keeps its old value without raising: say so at the field.
    const RavelDispatch::Result back =
        RavelDispatch::invoke(ctrl, b.property, RavelDispatch::Kind::Get, {});
    if (back.error || back.value.toString() != value.toString()) {
        mark(b, tr("%1 did not take the new value.").arg(b.property));
        return false;
    }
    b.shown = value;
    mark(b, std::nullopt);
    return true;
}

void RavelPropertyPage::mark(Binding &b, std::optional<QString> refused)
{
    b.refused = std::move(refused);
    b.field->setToolTip(b.refused.value_or(QString()));
    QPalette palette = b.field->parentWidget()->palette();
    if (b.refused) {
        palette.setColor(QPalette::Text, Qt::darkRed);
        palette.setColor(QPalette::WindowText, Qt::darkRed);
    }
    b.field->setPalette(palette);
}

std::optional<RavelPropertyPage::Refusal> RavelPropertyPage::refusal() const
{
    for (const Binding &b : m_bindings)
        if (b.refused)
            return Refusal{b.field, *b.refused};
    return std::nullopt;
}

std::optional<QString> RavelPropertyPage::refusalOf(const QString &property) const
{
    for (const Binding &b : m_bindings)
        if (b.property == property)
            return b.refused;
    return std::nullopt;
}

void RavelPropertyPage::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void RavelPropertyPage::fieldChanged()
{
    if (m_refreshing)
        return;
    if (m_exchange == Exchange::Immediate) {
        apply();
        return;
    }
    setModified(true);
    exchanged();
}

void RavelPropertyPage::place(QWidget *widget, const QRect &dlu) const
{
    widget->setGeometry(m_units.rect(dlu.x(), dlu.y(), dlu.width(), dlu.height()));
}

void RavelPropertyPage::bind(Binding binding)
{
    binding.field->setObjectName(binding.property);
    m_bindings.push_back(std::move(binding));
}

QLabel *RavelPropertyPage::addLabel(const QString &text, const QRect &dlu, QWidget *buddy)
{
    auto *label = new QLabel(text, this);
    place(label, dlu);
    if (buddy) {
        label->setBuddy(buddy);
        label->setObjectName(QStringLiteral("lbl") + buddy->objectName());
    }
    return label;
}

QLineEdit *RavelPropertyPage::addText(const QString &property, const QRect &dlu, int maxLength)
{
    auto *edit = new QLineEdit(this);
    place(edit, dlu);
    // Checked rather than cut off: a longer value set by the host must not be truncated.
    auto check = [edit, maxLength]() -> std::optional<QString> {
        if (maxLength > 0 && edit->text().size() > maxLength)
            return tr("Enter at most %1 characters.").arg(maxLength);
        return std::nullopt;
    };
    bind(Binding{property,
                 edit,
                 [edit] { return QVariant(edit->text()); },
                 [edit](const QVariant &v) { edit->setText(v.toString()); },
                 check,
                 {},
                 std::nullopt});
    connect(edit, &QLineEdit::textChanged, this, &RavelPropertyPage::fieldChanged);
    return edit;
}

QLineEdit *RavelPropertyPage::addPassword(const QString &property, const QRect &dlu, int maxLength)
{
    QLineEdit *edit = addText(property, dlu, maxLength);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QSpinBox *RavelPropertyPage::addNumber(const QString &property, const QRect &dlu, int low, int high,
                                       bool spin)
{
    auto *box = new QSpinBox(this);
    place(box, dlu);
    // Wide enough to take what is typed; the page's range is checked when it is written.
    box->setRange(0, 999999);
    if (!spin)
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    auto check = [box, low, high]() -> std::optional<QString> {
        if (!box->hasAcceptableInput() || box->value() < low || box->value() > high)
            return tr("Enter a number from %1 to %2.").arg(low).arg(high);
        return std::nullopt;
    };
    bind(Binding{property,
                 box,
                 [box] { return QVariant(box->value()); },
                 [box](const QVariant &v) { box->setValue(v.toInt()); },
                 check,
                 {},
                 std::nullopt});
    // The editor's own signal: the box says nothing while its text is not a number.
    connect(box->findChild<QLineEdit *>(), &QLineEdit::textChanged, this,
            &RavelPropertyPage::fieldChanged);
    return box;
}

QCheckBox *RavelPropertyPage::addCheck(const QString &property, const QString &text,
                                       const QRect &dlu)
{
    auto *box = new QCheckBox(text, this);
    place(box, dlu);
    bind(Binding{property,
                 box,
                 [box] { return QVariant(box->isChecked()); },
                 [box](const QVariant &v) { box->setChecked(v.toBool()); },
                 {},
                 {},
                 std::nullopt});
    connect(box, &QCheckBox::clicked, this, &RavelPropertyPage::fieldChanged);
    return box;
}

QComboBox *RavelPropertyPage::addList(const QString &property, const QStringList &items,
                                      const QRect &dlu)
{
    auto *list = new QComboBox(this);
    list->addItems(items);
    place(list, dlu);
    bind(Binding{property,
                 list,
                 [list] { return QVariant(list->currentIndex()); },
                 [list](const QVariant &v) { list->setCurrentIndex(v.toInt()); },
                 {},
                 {},
                 std::nullopt});
    connect(list, &QComboBox::currentIndexChanged, this, &RavelPropertyPage::fieldChanged);
    return list;
}

QButtonGroup *RavelPropertyPage::addRadios(const QString &property, const QStringList &texts,
                                           const QList<QRect> &dlu)
{
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < texts.size(); ++i) {
        auto *radio = new QRadioButton(texts[i], this);
        radio->setObjectName(property + QString::number(i));
        place(radio, dlu[i]);
        group->addButton(radio, i);
    }
    // The first button stands for the group where a field is needed.
    QAbstractButton *first = group->button(0);
    bind(Binding{property,
                 first,
                 [group] { return QVariant(group->checkedId()); },
                 [group](const QVariant &v) {
                     if (QAbstractButton *button = group->button(v.toInt()))
                         button->setChecked(true);
                 },
                 {},
                 {},
                 std::nullopt});
    first->setObjectName(property + QStringLiteral("0"));
    connect(group, &QButtonGroup::idClicked, this, &RavelPropertyPage::fieldChanged);
    return group;
}
