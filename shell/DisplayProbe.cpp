// The look at the display at the main window's first show: the family of Windows, the font
// DPI that chooses the layout, and the colour depth that may earn a warning.
#include "shell/DisplayProbe.h"

#include "editor/SDIMain.h"
#include "shell/Unit2.h"
#include "toolkit/Registry.h"

void TSDIAppForm::DetectPlatform() {
  switch (Sys().PlatformId()) {
    case 1: Platform = "WIN"; break;
    case 2: Platform = "NT"; break;
    default: break;
  }
}

void TSDIAppForm::ProbeFontDpi() {
  TRegistry registry;
  registry.RootKey = HKEY_LOCAL_MACHINE;
  try {
    if (Platform == "WIN") {
      registry.OpenKey(DisplaySettings9x, false);
      dpiText_ = registry.ReadString("DPILogicalX");
    } else if (Platform == "NT") {
      registry.OpenKey("SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", false);
      dpiNumber_ = registry.ReadInteger("LogPixels");
    }
  } catch (const ERegistryException&) {
  }
}

void TSDIAppForm::ApplyDpiLayout() {
  if (dpiText_ == "120" || dpiNumber_ == 120) {
    DpiMode = 2;
    PlaceTitleRow(DpiMode);
    Label2->SetBounds(17, 49, 313, 50);
    Label3->SetBounds(254, 81, 46, 17);
  } else {
    DpiMode = 1;
    PlaceTitleRow(DpiMode);
    Label2->SetBounds(22, 52, 298, 47);
    Label3->SetBounds(243, 82, 39, 14);
  }
}

void TSDIAppForm::ProbeColorDepth() {
  std::string depthText;
  std::int32_t depthNumber = 0;
  {
    TRegistry a;
    TRegistry b;
    a.RootKey = HKEY_LOCAL_MACHINE;
    b.RootKey = HKEY_LOCAL_MACHINE;
    if (Platform == "WIN") {
      a.OpenKey(DisplaySettings9x, false);
      try {
        depthText = a.ReadString("BitsPerPixel");
      } catch (const ERegistryException&) {
      }
    } else if (Platform == "NT") {
      a.OpenKey("HARDWARE\\DEVICEMAP\\VIDEO", false);
      std::string device;
      // A device value of another type reads as no device, so the show goes on.
      try {
        device = a.ReadString("\\Device\\Video0");
      } catch (const ERegistryException&) {
      }
      const std::size_t found = device.find("Services\\");
      const std::size_t p = found == std::string::npos ? 0 : found + 1;  // counted from 1, 0 when absent
      const std::string tail = p + 9 - 1 < device.size() ? device.substr(p + 9 - 1) : std::string();
      b.OpenKey("SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\System\\CurrentControlSet\\Services\\" + tail,
                false);
      try {
        depthNumber = b.ReadInteger("DefaultSettings.BitsPerPel");
      } catch (const ERegistryException&) {
      }
    }
  }
  if (depthText == "8" || depthNumber == 8) {
    if (DpiMode == 2) {
      ShowMessageBox("Increase Desktop Color Mode above\n 256 colors or this will look really ugly.", 287, 242, 32, 9,
                     nullptr);
    } else {
      ShowMessageBox("Increase Desktop Color Mode above\n 256 colors or this will look really ugly.", 245, 205, 32, 9,
                     nullptr);
    }
  }
}
