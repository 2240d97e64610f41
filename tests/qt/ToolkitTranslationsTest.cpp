// On a German desktop the toolkit's own texts are German: the Save dialog's
// buttons and the question's Yes and No. The program's own texts stay. Run
// by CTest with LANG=de_DE.UTF-8 (toolkit_translations_german).
#include "QtFileDialog.h"
#include "QtPlatform.h"
#include "ToolkitTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavimor;

TEST(ToolkitTranslations, TheDialogsOfAGermanDesktopAreGerman)
{
    if (QLocale().language() != QLocale::German)
        GTEST_SKIP() << "runs with LANG=de_DE.UTF-8";
    loadToolkitTranslations(*qApp);

    QStringList seen;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                seen << button->text().remove(u'&');
            dialog->reject();
        }
    });
    QtFileDialog save(nullptr);
    save.ShowSave();
    EXPECT_EQ(seen, (QStringList{"Speichern", "Abbrechen"})) << seen.join(u',').toStdString();

    // The question before replacing a file: Qt's Ja and Nein, the program's own caption and words.
    seen.clear();
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* button : box->buttons())
                seen << button->text().remove(u'&');
            seen << box->windowTitle() << box->text();
            box->reject();
        }
    });
    QtPlatform platform;
    EXPECT_FALSE(platform.AskYesNo("Replace it?"));
    EXPECT_EQ(seen, (QStringList{"Ja", "Nein", "Tavimor", "Replace it?"})) << seen.join(u',').toStdString();
}
