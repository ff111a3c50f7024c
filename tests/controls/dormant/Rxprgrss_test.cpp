// Tests of the progress registry: the built-in progress bar, a derived class registered with
// other property names, unregistering a class with its descendants, and properties of the
// wrong kind.
#include "controls/dormant/Rxprgrss.h"

#include <QProgressBar>
#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

using namespace rxprgrss;

namespace {

// A progress bar that counts with properties of its own names.
class StepBar : public QProgressBar {
  Q_OBJECT
  Q_PROPERTY(int Top READ Top WRITE SetTop)
  Q_PROPERTY(int Bottom READ Bottom WRITE SetBottom)
  Q_PROPERTY(double Done READ Done WRITE SetDone)
  Q_PROPERTY(QString Label READ Label WRITE SetLabel)
  Q_PROPERTY(QVariant Any READ Any WRITE SetAny)

public:
  int Top() const { return top_; }
  void SetTop(int v) { top_ = v; }
  int Bottom() const { return bottom_; }
  void SetBottom(int v) { bottom_ = v; }
  double Done() const { return done_; }
  void SetDone(double v) { done_ = v; }
  QString Label() const { return label_; }
  void SetLabel(const QString& v) { label_ = v; }
  QVariant Any() const { return any_; }
  void SetAny(const QVariant& v) { any_ = v; }

private:
  int top_ = 0;
  int bottom_ = 0;
  double done_ = 0;
  QString label_;
  QVariant any_;
};

class FinerStepBar : public StepBar {
  Q_OBJECT
};

class RxprgrssTest : public ::testing::Test {
protected:
  void TearDown() override { FreeProgressList(); }
};

TEST_F(RxprgrssTest, PlainProgressBarWorksOutOfTheBox) {
  QProgressBar bar;
  EXPECT_TRUE(SupportsProgressControl(&bar));
  EXPECT_TRUE(SetProgressMax(&bar, 200));
  EXPECT_TRUE(SetProgressMin(&bar, 10));
  EXPECT_TRUE(SetProgressValue(&bar, 50));
  EXPECT_EQ(bar.maximum(), 200);
  EXPECT_EQ(bar.minimum(), 10);
  EXPECT_EQ(bar.value(), 50);

  QObject plain;
  EXPECT_FALSE(SupportsProgressControl(&plain));
  EXPECT_FALSE(SupportsProgressControl(nullptr));
  EXPECT_FALSE(SetProgressValue(&plain, 1));
  EXPECT_FALSE(SetProgressValue(nullptr, 1));
}

TEST_F(RxprgrssTest, LaterRegistrationOverridesForDerivedClassesOnly) {
  RegisterProgressControl(StepBar::staticMetaObject, "top", "BOTTOM", "Done");
  FinerStepBar finer;
  EXPECT_TRUE(SetProgressMax(&finer, 90));  // names compare without regard to case
  EXPECT_TRUE(SetProgressMin(&finer, 5));
  EXPECT_TRUE(SetProgressValue(&finer, 42));
  EXPECT_EQ(finer.Top(), 90);
  EXPECT_EQ(finer.Bottom(), 5);
  EXPECT_EQ(finer.Done(), 42.0);
  EXPECT_EQ(finer.value(), -1) << "the progress bar's own position is left alone";

  QProgressBar bar;
  EXPECT_TRUE(SetProgressValue(&bar, 7));
  EXPECT_EQ(bar.value(), 7);
}

TEST_F(RxprgrssTest, UnregisteringAClassRemovesItsDescendants) {
  RegisterProgressControl(StepBar::staticMetaObject, "Top", "Bottom", "Done");
  RegisterProgressControl(FinerStepBar::staticMetaObject, "Top", "Bottom", "Done");
  UnRegisterProgressControl(QProgressBar::staticMetaObject);
  StepBar step;
  QProgressBar bar;
  EXPECT_FALSE(SupportsProgressControl(&step));
  EXPECT_FALSE(SupportsProgressControl(&bar));

  // Freeing the list (the unit's finalization) brings the built-in entry back on next use.
  FreeProgressList();
  EXPECT_TRUE(SupportsProgressControl(&bar));
}

TEST_F(RxprgrssTest, OnlyNumericAndVariantPropertiesAreWritten) {
  RegisterProgressControl(StepBar::staticMetaObject, "Label", "Missing", "Any");
  StepBar step;
  step.SetLabel("keep");
  EXPECT_FALSE(SetProgressMax(&step, 3));
  EXPECT_EQ(step.Label(), "keep");
  EXPECT_FALSE(SetProgressMin(&step, 3));
  EXPECT_TRUE(SetProgressValue(&step, 3));
  EXPECT_EQ(step.Any().toLongLong(), 3);
}

TEST_F(RxprgrssTest, NamesAreCutAndValuesMustFit) {
  RegisterProgressControl(StepBar::staticMetaObject, std::string(63, 'x') + "Top", "Bottom",
                          "Done");
  StepBar step;
  EXPECT_FALSE(SetProgressMax(&step, 1)) << "the name was cut to 63 x's";
  QProgressBar bar;
  bar.setValue(5);
  EXPECT_FALSE(SetProgressValue(&bar, int64_t(1) << 40));
  EXPECT_EQ(bar.value(), 5);
}

}  // namespace

#include "Rxprgrss_test.moc"
