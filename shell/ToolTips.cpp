#include "shell/ToolTips.h"

#include <QWidget>

namespace {
const QString ExampleHost = QStringLiteral("ftp.lumora.example.org");
const QString UploadPath =
    QStringLiteral("URL File Directory Path (Example: Incoming). This is where your Lumora HTML "
                   "and Image files will be stored on your web site. If the directory does not "
                   "exist it will be created.");
const QString Uploading = QStringLiteral("Path showing location of the Lumora Generated HTML "
                                         "Files to be upload to your web site.");
const QString Password = QStringLiteral("FTP Site User Password for Login (Example: "
                                        "yourname@example.org).");
const QString UserName = QStringLiteral("FTP Site User Name for Login (Example: anonymous).");
const QString Title =
    QStringLiteral("Title Displayed on Browser Window Title Bar and Display Frame Page.");
const QString BackFont = QStringLiteral("Selected Background Font.");
const QString MainBackground =
    QStringLiteral("Selected Background Color or Image for Image Display Frame.");
const QString LinkBackground =
    QStringLiteral("Selected Background Color or Image for Image Links Frame.");
const QString LinkFont = QStringLiteral("Selected Image Link Font.");
} // namespace

const QList<ToolTips::Row> &ToolTips::table()
{
    static const QList<Row> rows = {
        {"cmdColors", QStringLiteral("Select the Title of your web page, Set background colors "
                                     "or images and select font sizes and colors.")},
        {"cmdSelectImages", QStringLiteral("Select the Images to be used when generating the "
                                           "Lumora Web Pages.")},
        {"cmdGenerateHtml", QStringLiteral("Create the .HTML web page files used to display the "
                                           "images on a web site.")},
        {"cmdPreview",
         QStringLiteral("Preview Lumora Web Page. Note: If the web page was not saved in the same "
                        "location as the images then the links in preview WILL WORK on the "
                        "Internet but NOT in Preview. ")},
        {"cmdFtpUpload",
         QStringLiteral("Upload the Lumora web page and image files to your web site on the "
                        "internet. The Required FTP information can be obtained from your "
                        "Internet Service Provider.")},
        {"ImagePreview", QString()},
        {"lstImageListA",
         QStringLiteral("The list of images that will be used when generating the Lumora web page "
                        "files."),
         0},
        {"lstImageListA",
         QStringLiteral("The list of images names that will be used when generating the Lumora "
                        "web page files."),
         1},
        {"cmdDeleteA", QStringLiteral("Removes the selected images from the Image List.")},
        {"cmdUpA", QStringLiteral("Move selected file UP one position in the Image List.")},
        {"cmdDownA", QStringLiteral("Move selected file DOWN one position in the Image List.")},
        {"lblInfoA", QStringLiteral("Total Count of Images in Image List.")},
        {"cmdDriveList", QString()},
        {"File1",
         QStringLiteral("Right Click for File Options. Double Click to add to Image List.")},
        {"Label13", UploadPath},
        {"txtSiteUrlPath", UploadPath},
        {"Label6", Uploading},
        {"txtFilePath", Uploading},
        {"Label17", Password},
        {"txtSitePassword", Password},
        {"Label18", QLatin1String("FTP URL (Example: ftp://") + ExampleHost + QLatin1String(").")},
        {"txtSiteUrl", QLatin1String("FTP URL (Example: ") + ExampleHost + QLatin1String(").")},
        {"Label19", UserName},
        {"txtSiteUserName", UserName},
        {"cmdBeginFtpUpload", QStringLiteral("Begin Uploading the HTML and Image files to the Web "
                                             "site and Folder Path specified above.")},
        {"cmdCancelFtpUpload",
         QStringLiteral("Cancel an FTP Upload in progress. This function does not always work "
                        "since the FTP server maynot check for new messages until it has "
                        "completed the upload.")},
        {"cmdFtpSessionView",
         QStringLiteral("View FTP Session Log. The log contains FTP Command Sent and the Responce "
                        "from the FTP Server. Usefull for seeing the cause of problems when "
                        "trying to upload.")},
        {"lblFtpStatus",
         QStringLiteral("FTP Operation Status: Scroll to view entire session log.")},
        {"cmdFontBack", QStringLiteral("Select a Title Font. If no font is selected the Default "
                                       "Browser font will be used.")},
        {"cmdFontLink", QStringLiteral("Select an Image Link Font. If no font is selected the "
                                       "Default Browser font will be used.")},
        {"cmdLinkBackground",
         QStringLiteral("Select Background Color or Image for Image Links Frame. (This is the left "
                        "side frame where the Image File Links will be displayed.)")},
        {"cmdPageBackground",
         QStringLiteral("Select Background Color or Image for Image Display Frame. (This is the "
                        "larger right side frame that displays the Web Page Title and Images.)")},
        {"txtBackFontBold", QStringLiteral("Display Background Font Bold.")},
        {"txtBackFontColorDisplay", QStringLiteral("Background Font Color.")},
        {"txtBackFontItalic", QStringLiteral("Display Background Font Italic.")},
        {"txtBackFontName", BackFont},
        {"txtBackFontSize", QStringLiteral("Selected Background Font Size.")},
        {"txtBackFontUnderline", QStringLiteral("Display Background Font Underlined.")},
        {"txtLinkBackground", LinkBackground},
        {"txtLinkFontBold", QStringLiteral("Display Image Link Font Bold.")},
        {"txtLinkFontColorDisplay", QStringLiteral("Image Link Font Color.")},
        {"txtLinkFontItalic", QStringLiteral("Display Image Link Font Italic.")},
        {"txtLinkFontName", LinkFont},
        {"txtLinkFontSize", QStringLiteral("Selected Image Link Font Size.")},
        {"txtLinkFontUnderline", QStringLiteral("Display Image Link Font Underlined.")},
        {"txtMainBackground", QStringLiteral("Background Color or Image for Image Display Frame.")},
        {"txtTitle", Title},
        {"Label1", Title},
        {"Label16", BackFont},
        {"Label2", MainBackground},
        {"Label3", LinkBackground},
        {"Label4", LinkFont},
    };
    return rows;
}

const QList<const char *> &ToolTips::emptiedWhenOff()
{
    static const QList<const char *> names = {"txtBackColor", "txtBackFontColor", "txtLinkColor",
                                              "txtLinkFontColor"};
    return names;
}

void ToolTips::SetToolTips(QWidget *window, bool on)
{
    auto set = [window](const char *name, int index, const QString &text) {
        for (QWidget *w : window->findChildren<QWidget *>(QLatin1String(name))) {
            if (index < 0 || w->property("index").toInt() == index)
                w->setToolTip(text);
        }
    };
    for (const Row &row : table())
        set(row.objectName, row.index, on ? row.text : QString());
    if (!on)
        for (const char *name : emptiedWhenOff())
            set(name, -1, QString());
}
