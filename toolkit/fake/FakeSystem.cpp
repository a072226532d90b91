#include "toolkit/fake/FakeSystem.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

class FakeSurface : public Surface {
 public:
  FakeSurface(int width, int height, std::shared_ptr<int> live)
      : data_(static_cast<std::size_t>(width) * height, 0), live_(std::move(live)) {
    Pixels = data_.data();
    Width = width;
    Height = height;
    ++*live_;
  }
  ~FakeSurface() override { --*live_; }

 private:
  std::vector<std::uint32_t> data_;
  std::shared_ptr<int> live_;
};



std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

unsigned ButtonFlag(TMouseButton button) {
  return button == mbLeft ? MK_LBUTTON : button == mbRight ? MK_RBUTTON : MK_MBUTTON;
}

int ButtonKey(TMouseButton button) {
  return button == mbLeft ? VK_LBUTTON : button == mbRight ? VK_RBUTTON : VK_MBUTTON;
}

unsigned DownMessage(TMouseButton button) {
  return button == mbLeft ? WM_LBUTTONDOWN : button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
}

unsigned UpMessage(TMouseButton button) {
  return button == mbLeft ? WM_LBUTTONUP : button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
}

}  // namespace

FakeSystem::FakeSystem() = default;
FakeSystem::~FakeSystem() = default;

FakeSystem::Window* FakeSystem::Find(WindowId window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const FakeSystem::Window* FakeSystem::WindowOf(const TForm& form) const {
  auto it = windows_.find(form.Handle());
  return it == windows_.end() ? nullptr : &it->second;
}

void FakeSystem::SetKey(int virtualKey, bool down) {
  if (down) keysDown_.insert(virtualKey); else keysDown_.erase(virtualKey);
}

short FakeSystem::GetKeyState(int virtualKey) {
  return keysDown_.count(virtualKey) ? static_cast<short>(0xFF80) : 0;
}

bool FakeSystem::TakesInput(const TForm& form) {
  const Window* w = WindowOf(form);
  if (w && !w->Enabled) {
    ++refusedInputs_;
    return false;
  }
  return true;
}

std::intptr_t FakeSystem::Deliver(TForm& form, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
  return DeliverAnyway(form, msg, wParam, lParam);
}

std::intptr_t FakeSystem::DeliverAnyway(TForm& form, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  form.DispatchFromSystem(message);
  return message.Result;
}

void FakeSystem::CaptureChanged(WindowId loser, WindowId gainer) {
  Window* w = Find(loser);
  if (w && w->Form) DeliverAnyway(*w->Form, WM_CAPTURECHANGED, 0, static_cast<std::intptr_t>(gainer));
}

void FakeSystem::SetMouseCapture(WindowId window) {
  const WindowId old = capture_;
  capture_ = window;
  if (old && old != window) CaptureChanged(old, window);
}

void FakeSystem::ReleaseMouseCapture() {
  const WindowId old = capture_;
  capture_ = 0;
  if (old) CaptureChanged(old, 0);
}

void FakeSystem::LoseCapture() { ReleaseMouseCapture(); }

void FakeSystem::Unscripted(const std::string& what) {
  unscripted_.push_back(what);
  if (unscriptedObserver_) unscriptedObserver_(what);
}

void FakeSystem::ShowSystemMessageBox(WindowId owner, const std::string& caption, const std::string& text) {
  messageBoxes_.push_back(MessageBoxRecord{owner, caption, text});
  if (expectedMessageBoxes_ > 0) {
    --expectedMessageBoxes_;
  } else {
    Unscripted("system message box \"" + text + "\"");
  }
}

std::intptr_t FakeSystem::HitTest(TForm& form) {
  return Deliver(form, WM_NCHITTEST, 0, PointToLParam(cursor_.x, cursor_.y));
}

std::intptr_t FakeSystem::Press(TForm& form, TPoint screen, TMouseButton button) {
  cursor_ = screen;
  if (!TakesInput(form)) return 0;
  SetKey(ButtonKey(button), true);
  // While the form holds the capture the press goes straight to it, with no hit test.
  const std::intptr_t hit = capture_ == form.Handle() ? HTCLIENT : HitTest(form);
  if (hit == HTCLIENT) {
    const TPoint p = form.ScreenToClient(screen);
    unsigned keys = ButtonFlag(button);
    if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    Deliver(form, DownMessage(button), keys, PointToLParam(p.x, p.y));
  }
  return hit;
}

void FakeSystem::Release(TForm& form, TPoint screen, TMouseButton button) {
  cursor_ = screen;
  if (!TakesInput(form)) return;
  SetKey(ButtonKey(button), false);
  const TPoint p = form.ScreenToClient(screen);
  unsigned keys = 0;
  for (TMouseButton other : {mbLeft, mbRight, mbMiddle}) {
    if (GetKeyState(ButtonKey(other)) < 0) keys |= ButtonFlag(other);
  }
  if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
  Deliver(form, UpMessage(button), keys, PointToLParam(p.x, p.y));
}

void FakeSystem::Click(TForm& form, TPoint screen, TMouseButton button) {
  Press(form, screen, button);
  Release(form, screen, button);
}

void FakeSystem::DoubleClick(TForm& form, TPoint screen) {
  // A modal menu opened by the first click takes the second press, which closes it; the
  // window then only sees the button go up.
  secondPress_ = screen;
  secondPressPending_ = true;
  secondPressTaken_ = false;
  Click(form, screen);
  secondPressPending_ = false;
  if (secondPressTaken_) {
    Release(form, screen);
    return;
  }
  now_ += SecondClickGapMs;
  cursor_ = screen;
  SetKey(VK_LBUTTON, true);
  if (HitTest(form) == HTCLIENT) {
    const TPoint p = form.ScreenToClient(screen);
    Deliver(form, WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(p.x, p.y));
  }
  Release(form, screen);
}

void FakeSystem::MovePointer(TForm& form, TPoint screen) {
  cursor_ = screen;
  if (!TakesInput(form)) return;
  unsigned keys = 0;
  for (TMouseButton b : {mbLeft, mbRight, mbMiddle}) {
    if (GetKeyState(ButtonKey(b)) < 0) keys |= ButtonFlag(b);
  }
  if (capture_ == form.Handle()) {
    // The window holding the capture gets the move itself: no hit test, no cursor query.
    const TPoint p = form.ScreenToClient(screen);
    Deliver(form, WM_MOUSEMOVE, keys, PointToLParam(p.x, p.y));
    return;
  }
  const std::intptr_t hit = HitTest(form);
  Deliver(form, WM_SETCURSOR, form.Handle(), hit | (static_cast<std::intptr_t>(WM_MOUSEMOVE) << 16));
  if (hit == HTCLIENT) {
    const TPoint p = form.ScreenToClient(screen);
    Deliver(form, WM_MOUSEMOVE, keys, PointToLParam(p.x, p.y));
  }
}

bool FakeSystem::DragCaption(TForm& form, TPoint from, TPoint to) {
  if (Press(form, from) != HTCAPTION) {
    Release(form, from);
    return false;
  }
  // The system moves a window dragged by its caption.
  SetWindowBounds(form.Handle(), form.Left + (to.x - from.x), form.Top + (to.y - from.y), form.Width, form.Height);
  cursor_ = to;
  SetKey(VK_LBUTTON, false);
  return true;
}

void FakeSystem::PressButton(const TButton& button) {
  auto it = buttons_.find(button.Handle());
  if (it == buttons_.end()) return;
  Window* parent = Find(it->second.Parent);
  if (parent && parent->Form) Deliver(*parent->Form, WM_COMMAND, static_cast<std::uintptr_t>(it->second.Id), 0);
}

void FakeSystem::PaintAll() {
  std::vector<TForm*> dirty;
  for (auto& [id, window] : windows_) {
    if (window.Form && !window.Dirty.IsEmpty()) dirty.push_back(window.Form);
  }
  for (TForm* form : dirty) Deliver(*form, WM_PAINT);
}

TColor FakeSystem::PixelAt(const TForm& form, int x, int y) const {
  const Surface* buffer = form.Buffer();
  if (!buffer || x < 0 || y < 0 || x >= buffer->Width || y >= buffer->Height) return 0xFFFFFFFFu;
  return PixelToColor(buffer->Pixels[static_cast<std::size_t>(y) * buffer->Width + x]);
}

bool FakeSystem::IsRunning(const TTimer& timer) const { return timer.Id() != 0 && timers_.count(timer.Id()) != 0; }

unsigned FakeSystem::IntervalOf(TimerId timer) const {
  auto it = timers_.find(timer);
  return it == timers_.end() ? 0 : it->second.Interval;
}

bool FakeSystem::Fire(const TTimer& timer) { return FireTimer(timer.Id()); }

bool FakeSystem::FireTimer(TimerId timer) {
  auto it = timers_.find(timer);
  if (it == timers_.end()) return false;
  std::function<void()> tick = it->second.OnTick;  // the tick may stop its own timer
  tick();
  return true;
}

void FakeSystem::PassTime(unsigned ms) {
  for (unsigned t = 0; t < ms; ++t) {
    ++now_;
    std::vector<TimerId> due;
    for (auto& [id, timer] : timers_) {
      if (++timer.Elapsed >= timer.Interval) {
        timer.Elapsed = 0;
        due.push_back(id);
      }
    }
    for (TimerId id : due) FireTimer(id);
  }
}

WindowId FakeSystem::CreateFormWindow(TForm& form, const TCreateParams& params) {
  const WindowId id = nextWindow_++;
  Window& window = windows_[id];
  window.Form = &form;
  window.Params = params;
  window.Caption = params.Caption;
  window.Bounds = Bounds(params.X, params.Y, params.Width, params.Height);
  return id;
}

void FakeSystem::DestroyFormWindow(WindowId window) {
  windows_.erase(window);
  if (active_ == window) active_ = 0;
  for (auto it = buttons_.begin(); it != buttons_.end();) {
    it = it->second.Parent == window ? buttons_.erase(it) : std::next(it);
  }
  if (capture_ == window) capture_ = 0;
}

void FakeSystem::ShowFormWindow(WindowId window, bool visible) {
  Window* w = Find(window);
  if (!w) return;
  w->Shown = visible;
  if (visible) {
    active_ = window;
  } else if (active_ == window) {
    // The system hands the activation to the owner when it can take it; a disabled owner
    // cannot, and another program's window comes to the front instead.
    Window* owner = Find(w->Params.Owner);
    active_ = owner && owner->Shown && owner->Enabled ? w->Params.Owner : 0;
  }
}

void FakeSystem::SetWindowBounds(WindowId window, int x, int y, int width, int height) {
  Window* w = Find(window);
  if (!w) return;
  w->Bounds = Bounds(x, y, width, height);
  const TSize frame = FrameExtent(w->Params.Style, w->Params.ExStyle);
  const int side = frame.cx / 2;
  if (w->Form) w->Form->SystemMoved(x, y, width, height, x + side, y + frame.cy - side);
}

void FakeSystem::SetWindowCaption(WindowId window, const std::string& caption) {
  if (Window* w = Find(window)) w->Caption = caption;
}

TSize FakeSystem::FrameExtent(std::uint32_t style, std::uint32_t) {
  // A fixed three-pixel border and a 19-pixel caption, as a classic dialog frame.
  if ((style & WS_CAPTION) == WS_CAPTION) return TSize{6, 25};
  if (style & WS_BORDER) return TSize{2, 2};
  return TSize{0, 0};
}

void FakeSystem::EnableWindow(WindowId window, bool enabled) {
  if (Window* w = Find(window)) w->Enabled = enabled;
}

WindowId FakeSystem::CreateButton(WindowId parent, int id, const std::string& caption, const TRect& bounds,
                                  bool isDefault, const TFont&) {
  const WindowId child = nextWindow_++;
  buttons_[child] = Button{parent, id, caption, bounds, isDefault};
  return child;
}

void FakeSystem::SetChildBounds(WindowId child, const TRect& bounds) {
  auto it = buttons_.find(child);
  if (it != buttons_.end()) it->second.Bounds = bounds;
}

std::unique_ptr<Surface> FakeSystem::CreateSurface(int width, int height) {
  return std::make_unique<FakeSurface>(width, height, liveSurfaces_);
}

void FakeSystem::InvalidateRect(WindowId window, const TRect& rect) {
  Window* w = Find(window);
  if (!w || rect.IsEmpty()) return;
  w->Dirty = w->Dirty.Union(rect);
  invalidations_.emplace_back(window, rect);
}

TRect FakeSystem::BeginPaint(WindowId window) {
  Window* w = Find(window);
  if (!w) return TRect{};
  const TRect dirty = w->Dirty;
  w->Dirty = TRect{};
  return dirty;
}

bool FakeSystem::TypeKey(TForm& form, int virtualKey, TShiftState modifiers) {
  const Window* w = Find(form.Handle());
  if (!w || !w->Shown || !w->Enabled) return false;
  const std::set<int> held = keysDown_;
  if (modifiers & ssShift) SetKey(VK_SHIFT, true);
  if (modifiers & ssCtrl) SetKey(VK_CONTROL, true);
  SetKey(virtualKey, true);
  Deliver(form, WM_KEYDOWN, static_cast<std::uintptr_t>(virtualKey), 1);
  SetKey(virtualKey, false);
  Deliver(form, WM_KEYUP, static_cast<std::uintptr_t>(virtualKey), static_cast<std::intptr_t>(0xC0000001u));
  keysDown_ = held;
  return true;
}

void FakeSystem::PaintText(Surface& surface, const TRect& clip, const TRect& box, const std::string& text,
                          const TFont& font, const TextLayout& layout) {
  DrawnText drawn;
  drawn.Target = &surface;
  drawn.Clip = clip;
  drawn.Box = box;
  drawn.Text = text;
  drawn.Font = FontSpec{font.Name, font.Height, font.Bold, font.Underline, font.Color};
  drawn.Layout = layout;
  texts_.push_back(drawn);
}

void FakeSystem::RunModalLoop(TForm& form) {
  modalForms_.push_back(&form);
  if (modalScripts_.empty()) {
    Unscripted("modal window " + form.Name);
    return;
  }
  std::function<void(TForm&)> script = std::move(modalScripts_.front());
  modalScripts_.pop_front();
  script(form);
}

std::intptr_t FakeSystem::SendWindowMessage(WindowId window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
  sent_.push_back(SentMessage{window, msg, wParam, lParam});
  Window* w = Find(window);
  if (!w || !w->Form) return 0;
  return DeliverAnyway(*w->Form, msg, wParam, lParam);  // a sent message is not input
}

std::intptr_t FakeSystem::DefaultWindowProc(WindowId, unsigned msg, std::uintptr_t, std::intptr_t) {
  return msg == WM_NCHITTEST ? HTCLIENT : 0;
}

TimerId FakeSystem::StartTimer(unsigned intervalMs, std::function<void()> onTick) {
  const TimerId id = nextTimer_++;
  timers_[id] = Timer{intervalMs, std::move(onTick)};
  return id;
}

namespace {

// Finds the entry at a caption path such as "Edit/Cut"; returns its id, 0 when it is not there or disabled.
int FindChoice(const std::vector<MenuEntry>& items, const std::string& path) {
  const std::size_t slash = path.find('/');
  const std::string head = path.substr(0, slash);
  for (const MenuEntry& entry : items) {
    if (entry.Separator || entry.Caption != head) continue;
    if (!entry.Enabled) return 0;
    if (slash == std::string::npos) return entry.Children.empty() ? entry.Id : 0;
    return FindChoice(entry.Children, path.substr(slash + 1));
  }
  return 0;
}

}  // namespace

int FakeSystem::TrackPopupMenu(const std::vector<MenuEntry>& items, int x, int y, WindowId owner) {
  PopupRecord record{x, y, owner, items, ""};
  int chosen = 0;
  if (menuChoices_.empty() && secondPressPending_) {
    secondPressPending_ = false;
    secondPressTaken_ = true;
    now_ += SecondClickGapMs;
    cursor_ = secondPress_;
    SetKey(VK_LBUTTON, true);
  } else if (!menuChoices_.empty()) {
    const std::string path = menuChoices_.front();
    menuChoices_.pop_front();
    chosen = path.empty() ? 0 : FindChoice(items, path);
    if (chosen) record.Chosen = path;
  }
  popups_.push_back(std::move(record));
  return chosen;
}

bool FakeSystem::RunFileDialog(const FileDialogRequest& request, WindowId, std::string& fileName) {
  fileRequests_.push_back(request);
  if (fileAnswers_.empty()) {
    Unscripted(std::string(request.Save ? "save" : "open") + " dialog \"" + request.Title + "\"");
    return false;
  }
  std::optional<std::string> answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  if (!answer) return false;
  fileName = *answer;
  return true;
}

bool FakeSystem::RunColorDialog(WindowId, TColor& color, std::uint32_t (&)[16]) {
  colorRequests_.push_back(color);
  if (colorAnswers_.empty()) {
    Unscripted("colour dialog");
    return false;
  }
  std::optional<TColor> answer = colorAnswers_.front();
  colorAnswers_.pop_front();
  if (!answer) return false;
  color = *answer;
  return true;
}

std::string FakeSystem::KeyName(TRegRoot root, const std::string& path) {
  std::string p = path;
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return std::to_string(root) + "\\" + Lower(p);
}

bool FakeSystem::Denied(const std::set<std::string>& denied, const std::string& key) {
  for (const std::string& d : denied) {
    if (!d.empty() && d.back() == '\\' && key.compare(0, d.size(), d) == 0) return true;  // a whole root
    if (key == d || (key.size() > d.size() && key.compare(0, d.size(), d) == 0 && key[d.size()] == '\\')) return true;
  }
  return false;
}

void FakeSystem::SeedKey(TRegRoot root, const std::string& path) { registry_[KeyName(root, path)]; }

void FakeSystem::SeedString(TRegRoot root, const std::string& path, const std::string& name,
                            const std::string& value) {
  RegValue v;
  v.Type = RegValue::String;
  v.Text = value;
  registry_[KeyName(root, path)][Lower(name)] = v;
}

void FakeSystem::SeedInteger(TRegRoot root, const std::string& path, const std::string& name, std::int32_t value) {
  RegValue v;
  v.Type = RegValue::Integer;
  v.Number = value;
  registry_[KeyName(root, path)][Lower(name)] = v;
}

void FakeSystem::SeedBinary(TRegRoot root, const std::string& path, const std::string& name) {
  RegValue v;
  v.Type = RegValue::Binary;
  registry_[KeyName(root, path)][Lower(name)] = v;
}

void FakeSystem::DenyAccess(TRegRoot root, const std::string& path) { denied_.insert(KeyName(root, path)); }

void FakeSystem::DenyReading(TRegRoot root, const std::string& path) { unreadable_.insert(KeyName(root, path)); }

bool FakeSystem::HasKey(TRegRoot root, const std::string& path) const {
  return registry_.count(KeyName(root, path)) != 0;
}

std::optional<FakeSystem::RegValue> FakeSystem::ValueOf(TRegRoot root, const std::string& path,
                                                        const std::string& name) const {
  auto key = registry_.find(KeyName(root, path));
  if (key == registry_.end()) return std::nullopt;
  auto value = key->second.find(Lower(name));
  if (value == key->second.end()) return std::nullopt;
  return value->second;
}

RegKeyId FakeSystem::OpenRegistryKey(TRegRoot root, const std::string& path, bool create) {
  const std::string key = KeyName(root, path);
  if (Denied(denied_, key) || Denied(unreadable_, key)) return 0;
  if (!registry_.count(key)) {
    if (!create) return 0;
    // Creating a key creates the keys above it too.
    std::string partial;
    std::size_t start = 0;
    while (start <= path.size()) {
      const std::size_t slash = path.find('\\', start);
      partial = path.substr(0, slash);
      registry_[KeyName(root, partial)];
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
  }
  const RegKeyId id = nextKey_++;
  openKeys_[id] = key;
  return id;
}

RegKeyId FakeSystem::OpenRegistryKeyReadOnly(TRegRoot root, const std::string& path) {
  const std::string key = KeyName(root, path);
  if (Denied(unreadable_, key) || !registry_.count(key)) return 0;
  const RegKeyId id = nextKey_++;
  openKeys_[id] = key;
  readOnlyKeys_.insert(id);
  return id;
}

RegStatus FakeSystem::RegReadString(RegKeyId key, const std::string& name, std::string& value) {
  auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return RegStatus::Failed;
  auto& values = registry_[open->second];
  auto it = values.find(Lower(name));
  if (it == values.end()) return RegStatus::Missing;
  if (it->second.Type != RegValue::String) return RegStatus::WrongType;
  value = it->second.Text;
  return RegStatus::Ok;
}

RegStatus FakeSystem::RegReadInteger(RegKeyId key, const std::string& name, std::int32_t& value) {
  auto open = openKeys_.find(key);
  if (open == openKeys_.end()) return RegStatus::Failed;
  auto& values = registry_[open->second];
  auto it = values.find(Lower(name));
  if (it == values.end()) return RegStatus::Missing;
  if (it->second.Type != RegValue::Integer) return RegStatus::WrongType;
  value = it->second.Number;
  return RegStatus::Ok;
}

bool FakeSystem::RegWriteString(RegKeyId key, const std::string& name, const std::string& value) {
  auto open = openKeys_.find(key);
  if (open == openKeys_.end() || readOnlyKeys_.count(key)) return false;
  RegValue v;
  v.Type = RegValue::String;
  v.Text = value;
  registry_[open->second][Lower(name)] = v;
  ++registryWrites_;
  if (registryObserver_) registryObserver_(name, value);
  return true;
}

CursorId FakeSystem::LoadCursorResource(const std::string& name) {
  cursorLoads_.push_back(name);
  return name == "HAND" ? HandCursorId : 0;
}

bool FakeSystem::ShellOpen(const ShellExecuteRequest& request) {
  shellCalls_.push_back(request);
  return shellResult_;
}

std::vector<std::uint8_t> FakeSystem::LoadBitmapResource(const std::string& name) {
  std::ifstream in(resourceDir_ + "/" + Lower(name) + ".bmp", std::ios::binary);
  if (!in) return {};
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Resources hold the bitmap without its file header.
  if (bytes.size() > 14 && bytes[0] == 'B' && bytes[1] == 'M') bytes.erase(bytes.begin(), bytes.begin() + 14);
  return bytes;
}

ReplaceStatus FakeSystem::ReplaceFileWith(const std::string& from, const std::string& to) {
  if (forcedReplace_) return *forcedReplace_;
  return std::rename(from.c_str(), to.c_str()) == 0 ? ReplaceStatus::Replaced : ReplaceStatus::Failed;
}

void FakeSystem::ShowHintWindow(const TPoint& screenPos, const std::string& text, const TFont&) {
  hintVisible_ = true;
  hintText_ = text;
  hintPos_ = screenPos;
}
