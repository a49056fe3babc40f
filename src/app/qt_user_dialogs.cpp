#include "app/qt_user_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace {
QMessageBox::Icon QtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// "Name (*.a)|*.a|Other (*.b)|*.b" -> the names, which carry their patterns.
QStringList FilterNames(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        names << parts[i];
    return names;
}

// On X11 and Wayland desktops the open request starts xdg-open whether or not
// a program handles the type, so the desktop's MIME defaults are asked first.
// When they cannot be asked, the open request has the last word.
bool DesktopHasProgramFor(const QString& path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QProcess query;
    query.start("xdg-mime", {"query", "default", QMimeDatabase().mimeTypeForFile(path).name()});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit)
        return true;
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
#else
    Q_UNUSED(path);
    return true;
#endif
}
} // namespace

void QtUserDialogs::message(const std::string& text, const std::string& caption, MessageIcon icon)
{
    QMessageBox box(QtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    owner_);
    box.exec();
}

bool QtUserDialogs::askYesNo(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<FileChoice> QtUserDialogs::chooseFile(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(owner_, QString::fromStdString(request.title), QString::fromStdString(request.initialDirectory));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The flows ask about overwriting themselves.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList names = FilterNames(request.filter);
    dialog.setNameFilters(names);
    if (request.filterIndex >= 1 && request.filterIndex <= names.size())
        dialog.selectNameFilter(names[request.filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileChoice{dialog.selectedFiles().first().toStdString(),
                      static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1};
}

std::optional<FileChoice> QtUserDialogs::chooseOpenFile(const FileDialogRequest& request)
{
    return chooseFile(request, false);
}

std::optional<FileChoice> QtUserDialogs::chooseSaveFile(const FileDialogRequest& request)
{
    return chooseFile(request, true);
}

std::optional<std::string> QtUserDialogs::chooseFolder(const FileDialogRequest& request)
{
    const QString folder = QFileDialog::getExistingDirectory(owner_, QString::fromStdString(request.title),
                                                             QString::fromStdString(request.initialDirectory));
    if (folder.isEmpty())
        return std::nullopt;
    return folder.toStdString();
}

bool QtUserDialogs::openDocument(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    return DesktopHasProgramFor(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}
