#pragma once
// The gallery's page of outlook bars: a bar of several groups with long lists,
// and bars in the look of the main window's era and author bars.
class QWidget;

QWidget* MakeOutbarPage();
