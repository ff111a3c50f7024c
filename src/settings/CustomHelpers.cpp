#include <QAbstractButton>
#include <QButtonGroup>
#include <QListWidget>

#include "core/ProfileValues.h"
#include "gui/Cp1251.h"
#include "settings/CustomInternal.h"

namespace pv = profile_values;

QString FromSetting(const std::string& bytes) { return gui::FromCp1251(bytes); }

std::string ToSetting(const QString& text) { return gui::ToCp1251(text); }

uint32_t UnsignedOf(const QString& text) { return pv::ParseUnsignedDecimal(ToSetting(text)); }

int32_t IntegerOf(const QString& text) { return pv::ParseDecimal(ToSetting(text)); }

uint32_t HexOf(const QString& text) { return pv::ParseHex(ToSetting(text)); }

QString HexText(uint32_t value) { return QString::fromStdString(pv::FormatHex(value)); }

void SelectByName(QListWidget* list, const std::string& name) {
  const QString wanted = FromSetting(name);
  int row = -1;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->text().compare(wanted, Qt::CaseInsensitive) == 0) row = i;
  list->setCurrentRow(row);
}

void CheckButton(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) {
    button->setChecked(true);
    return;
  }
  const bool exclusive = group->exclusive();
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(false);
  group->setExclusive(exclusive);
}
