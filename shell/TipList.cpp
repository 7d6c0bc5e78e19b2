#include "shell/TipList.h"

#include "core/AppText.h"

const QStringList &TipList::builtIn()
{
    static const QStringList tips = {
        QStringLiteral("IMPORTANT: Reading through The Tip of The Day screens can provide you "
                       "with valuable help in learning how to use the Lumora Web Page Generator "
                       "Software package."),
        QStringLiteral("Holding the mouse pointer over various Buttons and Text Boxes on the "
                       "screen will cause a Text Tip to be displayed with detailed information."),
        QStringLiteral("You can easily *CREATE YOUR WEB PAGE* by following the Step 1 through 5 "
                       "buttons on the screen. Using this method you can't go wrong!"),
        QStringLiteral("When *UPLOADING YOUR WEB PAGE USING FTP* you can get all of the required "
                       "FTP information from your Web Site or Internet Service Provider. They can "
                       "supply you with your FTP URL, Upload Path, Username and Password needed "
                       "to access your web site."),
        QStringLiteral("*SPACES, SINGLE QUOTES and DOUBLE QUOTES* are not considered Browser "
                       "Friendly Characters.  The Auto Space Replacement under the Options Menu "
                       "is used to automatically remove these characters from your Image and "
                       "Html file when uploading to your web site."),
        QStringLiteral("You can use the *IMPORT IMAGES (TWAIN)* option under the File menu to "
                       "access your Twain Compliant Digital Camera directly from within the "
                       "program."),
        QStringLiteral("You can use the *LOAD and SAVE Lumora FILE* option to retain your choice "
                       "of Images and Web Page Attributes so you can later reload the data and "
                       "make changes such as add or remove images allowing you to re-generate "
                       "your web pages easily."),
        QStringLiteral("Double clicking on the *FTP OPERATION STATUS* display will open a FTP Log "
                       "Window displaying the complete transcript of the FTP Session. This can be "
                       "useful for viewing error messages during an FTP Upload Session."),
        QStringLiteral("Web page *FONT SIZES* are not the same as standard Document Font Sizes. "
                       "(Example: A Document with a Font Size of 8 is equal to a Size 3 on a Web "
                       "Page.)"),
        QStringLiteral("If you use the *AUTO SPACE REPLACEMENT* under the Options Menu to "
                       "automatically remove Spaces from your Image Names the Generated HTML "
                       "Files will work properly on your web site but the Image Links in the "
                       "Preview may not work correctly since your local image files are not "
                       "renamed."),
        QStringLiteral("Using the *AUTO SPACE REPLACEMENT* under the Options Menu to "
                       "automatically remove Spaces from your Image Names does NOT rename the "
                       "files on your hard drive. It renames them during the upload to your web "
                       "site only."),
        QStringLiteral("When you *LOAD a Lumora DATA FILE* using the Load Lumora File option "
                       "under the File Menu all Images and Backgrounds must be in the same "
                       "location on your hard drive to be able to Generate a Lumora Web Page."),
        QStringLiteral("You can *CREATE FOLDERS* to store your Lumora Web Page Files and Images "
                       "on your web site when uploading. Simply enter the desired folder name in "
                       "the (FTP UPLOAD PATH) and is the folder does not exist it will be created "
                       "and your Web page and Images will be saved to this folder."),
        QStringLiteral("The *REQUIRED FTP INFORMATION* such as FTP URL Path, Username and "
                       "Password can be obtained from your Internet Service or Web Page Space "
                       "Provider."),
        QStringLiteral("Image Links in the *PREVIEW WEB PAGE* may not work in Preview but Will "
                       "Work from your web site. Preview Links will not work if the Generated "
                       "Files are not saved in the same location as the Images or if there are "
                       "Spaces in your Image Filenames and Auto Space Replacement was used."),
        QStringLiteral("Web Page *BACKGROUND IMAGES* may not appear when Previewing a Web Page "
                       "unless the Generated Web Page Files are saved in the same directory as "
                       "your Background Images."),
        QStringLiteral("Under the *OPTIONS MENU* you can Turn Off and On the (Auto Space "
                       "Replacement), (Program Sound Effects) and (Pop-Up Tool Tips)."),
        QStringLiteral("You can change *ADVANCED FTP SETTINGS* by selecting this from the Options "
                       "Menu. Note: These settings are not saved! (These settings are for "
                       "advanced users only.)"),
        QStringLiteral("Visit our web site at: ") + AppText::ProductWebAddress +
            QStringLiteral("  or  E-Mail: ") + AppText::ContactEmail +
            QStringLiteral("  for FAQ (Frequently Asked Questions), Updates and more........"),
        QStringLiteral("To maintain your web site: such as Deleting Image Sets for Folders you "
                       "can use any one of the many FTP programs available for free on the "
                       "Internet. Visit our web site for some suggestions at: ") +
            AppText::ProductWebAddress,
    };
    return tips;
}

int TipList::randomIndex(int count, double unit)
{
    return int(unit * count + 1);
}
