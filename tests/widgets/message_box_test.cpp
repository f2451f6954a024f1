// The real message box service: the style chooses the icon, with one OK button,
// the text and the title as given.
#include <QApplication>
#include <QMessageBox>
#include <QAbstractButton>
#include <QTimer>
#include <QtTest>

#include "runtime/message_box.h"

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void theStyleChoosesTheIcon_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("icon");
        QTest::newRow("64: information") << rt::MbInformation << int(QMessageBox::Information);
        QTest::newRow("16: critical") << rt::MbCritical << int(QMessageBox::Critical);
    }

    void theStyleChoosesTheIcon()
    {
        QFETCH(int, style);
        QFETCH(int, icon);
        // Read and closed from inside the dialog's own event loop.
        QMessageBox* seen = nullptr;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QString text, title;
        bool onlyOk = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = box;
            shownIcon = box->icon();
            text = box->text();
            title = box->windowTitle();
            const QList<QAbstractButton*> buttons = box->buttons();
            onlyOk = buttons.size() == 1 && box->standardButton(buttons.first()) == QMessageBox::Ok;
            box->done(0);
        });
        poll.start(10);
        rt::QtMessageBoxService().msgBox(QStringLiteral("热键冲突，请换一个热键。"), style, QStringLiteral("错误"));
        QVERIFY(seen);
        QCOMPARE(int(shownIcon), icon);
        QCOMPARE(text, QStringLiteral("热键冲突，请换一个热键。"));
        QCOMPARE(title, QStringLiteral("错误"));
        QVERIFY(onlyOk);
    }

    // A held hotkey asks for the same message many times while its box is open.
    void aRepeatWhileItsBoxIsOpenOpensNoOtherAndIsNotKeptForLater()
    {
        rt::QtMessageBoxService service;
        const QString title = QStringLiteral("错误");
        const QString interval = QStringLiteral("请输入鼠标点击频率！");
        const QString coordinates = QStringLiteral("请输入鼠标点击的坐标！");
        bool closing = false;
        QStringList closed;
        // Closes the newest box, from inside the dialogs' own loops, once the repeats are under way.
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (closing && box) {
                closed << box->text();
                box->done(0);
            }
        });
        closer.start(10);
        QTimer::singleShot(50, this, [&] {
            closing = true;
            for (int i = 0; i < 20; ++i)
                service.msgBox(interval, rt::MbInformation, title);
            service.msgBox(coordinates, rt::MbInformation, title); // another message gets its box
        });
        service.msgBox(interval, rt::MbInformation, title);
        QCOMPARE(closed, (QStringList{coordinates, interval}));
        QTest::qWait(50);
        QCOMPARE(closed.size(), 2);
        service.msgBox(interval, rt::MbInformation, title); // once closed, the message shows again
        QCOMPARE(closed.size(), 3);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
