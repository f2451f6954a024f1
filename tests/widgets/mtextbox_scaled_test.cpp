// The text box's hover poll on a display that Qt scales by 2: the platform
// gives the cursor in screen pixels, twice the control's logical ones.
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include "controls/textbox/mtextbox.h"
#include "support/test_services.h"

using textbox::mTextBox;

class MTextBoxScaledTest : public QObject {
    Q_OBJECT
private slots:
    void thePollComparesInScreenPixels_data()
    {
        QTest::addColumn<QPoint>("cursor"); // screen pixels from the box's top-left corner
        QTest::addColumn<bool>("inside");
        QTest::newRow("top-left corner") << QPoint(0, 0) << true;
        QTest::newRow("beyond the logical size") << QPoint(60, 30) << true;
        QTest::newRow("bottom-right edge") << QPoint(82, 44) << true;
        QTest::newRow("right of the box") << QPoint(83, 10) << false;
        QTest::newRow("below the box") << QPoint(10, 45) << false;
        QTest::newRow("left of the box") << QPoint(-1, 10) << false;
    }

    void thePollComparesInScreenPixels()
    {
        QFETCH(QPoint, cursor);
        QFETCH(bool, inside);
        TestServices t;
        QWidget window;
        window.resize(200, 100);
        auto* box = new mTextBox(t.services, &window);
        box->setGeometry(10, 20, 41, 22);
        window.show();
        QCOMPARE(box->screen()->devicePixelRatio(), 2.0);
        QCOMPARE(box->screen()->geometry().topLeft(), QPoint(0, 0));

        const QPoint local(5, 5);
        QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(box->txtMain()->mapToGlobal(local)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box->txtMain(), &move);
        QVERIFY(box->Hovered());
        const QPoint topLeft = box->mapToGlobal(QPoint(0, 0)) * 2;
        t.fake.input->cursor = {topLeft.x() + cursor.x(), topLeft.y() + cursor.y()};
        emit box->timMouse()->Tick();
        QCOMPARE(box->Hovered(), inside);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    MTextBoxScaledTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "mtextbox_scaled_test.moc"
