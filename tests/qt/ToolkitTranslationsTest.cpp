// On a German desktop the toolkit's own texts are German: the Save dialog's
// buttons and the question's Yes and No. The program's own texts stay. Run
// by CTest with LANG=de_DE.UTF-8 (toolkit_translations_german).
#include "QtFileDialog.h"
#include "QtPlatform.h"
#include "ToolkitTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavimor;

namespace {

// The buttons, caption and text of the next modal dialog, which is then cancelled.
void readNextDialog(QStringList& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisible() && !button->text().isEmpty())
                seen << button->text().remove(u'&');
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            seen << box->windowTitle() << box->text();
        dialog->reject();
    });
}

} // namespace

TEST(ToolkitTranslations, TheDialogsOfAGermanDesktopAreGerman)
{
    if (QLocale().language() != QLocale::German)
        GTEST_SKIP() << "runs with LANG=de_DE.UTF-8";
    loadToolkitTranslations(*qApp);
    QStringList save, question;
    readNextDialog(save);
    QtFileDialog(nullptr).ShowSave();
    EXPECT_TRUE(save.contains("Speichern") && save.contains("Abbrechen")) << save.join(u',').toStdString();
    readNextDialog(question);
    QtPlatform platform;
    EXPECT_FALSE(platform.AskYesNo("Replace it?"));
    EXPECT_EQ(question, (QStringList{"Ja", "Nein", "Tavimor", "Replace it?"})) << question.join(u',').toStdString();
}
