#include "dialogs/gui/QtDialogs.h"

#include "dialogs/gui/FontColorDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

Dialogs::Answer QtDialogs::message(const QString &text, const QString &title, Icon icon,
                                   Buttons buttons)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    // Message texts use CR LF; Qt lays out LF.
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

QString QtDialogs::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        QString label = parts[i];
        const qsizetype open = label.indexOf(QLatin1Char('('));
        if (open >= 0)
            label = label.left(open).trimmed();
        out << QStringLiteral("%1 (%2)").arg(label, patterns);
    }
    return out.join(QLatin1String(";;"));
}

std::optional<QString> QtDialogs::runFileDialog(const FileRequest &request, bool save)
{
    QFileDialog dialog(m_parent, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(toQtFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension.toLower());
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    // A remembered name may be a folder with a pattern ("/home/u/*.html"): open the folder.
    const QFileInfo named(request.fileName);
    if (!request.fileName.isEmpty()) {
        if (named.path() != QLatin1String(".") || request.fileName.startsWith(QLatin1Char('.')))
            dialog.setDirectory(named.absolutePath());
        if (!named.fileName().contains(QLatin1Char('*')))
            dialog.selectFile(named.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::openFile(const FileRequest &request)
{
    return runFileDialog(request, false);
}

std::optional<QString> QtDialogs::saveFile(const FileRequest &request)
{
    return runFileDialog(request, true);
}

std::optional<QColor> QtDialogs::chooseColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<Dialogs::FontChoice> QtDialogs::chooseFont(const FontChoice &initial)
{
    FontColorDialog dialog(initial, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

Dialogs::Trust QtDialogs::trustCertificate(const QString &text, const QString &title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    // The details are read, and the fingerprint compared with what the host says it is.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton *always = box.addButton(QStringLiteral("Trust &Always"), QMessageBox::AcceptRole);
    QPushButton *once = box.addButton(QStringLiteral("Trust &This Time"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == always)
        return Trust::Always;
    return box.clickedButton() == once ? Trust::ThisTime : Trust::Cancel;
}

std::optional<QString> QtDialogs::inputBox(const QString &prompt, const QString &title,
                                           const QString &defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
