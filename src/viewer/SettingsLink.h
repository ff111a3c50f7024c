// The settings dialog's way to the main panel and the TV window: its hooks, filled in before the
// dialog is created.
#pragma once

void ConnectSettingsDialog();
