// The bench shared by the COM fakes of one test: the call log every fake writes to, the rules
// that make chosen calls fail, names for objects and GUIDs, and the leak check at the end.
#pragma once

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fakes {

class ComKit;

// Base of every fake COM object: a name, a reference count that the kit watches, and the set
// of interfaces that QueryInterface answers. The kit owns the memory, so a reference count
// that drops to zero never frees it: an extra Release shows up in the leak check instead of
// as a crash.
class FakeObject {
 public:
  FakeObject(ComKit& kit, std::wstring name) : kit_(kit), name_(std::move(name)) {}
  virtual ~FakeObject() = default;
  FakeObject(const FakeObject&) = delete;
  FakeObject& operator=(const FakeObject&) = delete;

  const std::wstring& name() const { return name_; }
  long refs() const { return refs_; }
  bool overReleased() const { return overReleased_; }
  ComKit& kit() const { return kit_; }

  // True when p is one of this object's interface pointers.
  virtual bool holds(const void* p) const = 0;
  // QueryInterface without an entry in the log (for hand-outs made by other fakes).
  virtual HRESULT queryQuietly(REFIID iid, void** out) = 0;

  // Makes QueryInterface answer, or refuse, an interface the class implements.
  void offer(REFIID iid) { withheld_.erase(key(iid)); }
  void withhold(REFIID iid) { withheld_.insert(key(iid)); }
  bool offers(REFIID iid) const { return withheld_.count(key(iid)) == 0; }

 protected:
  ULONG addRef() { return static_cast<ULONG>(++refs_); }
  ULONG release();
  // Runs when the last reference the code holds goes; a fake lets go of what it holds.
  virtual void onFinalRelease() {}
  // Logs "name.method(args)"; answers the HRESULT of a matching failure rule, else S_OK.
  HRESULT record(const std::wstring& method, std::initializer_list<std::wstring> args = {});
  // Logs the call and answers E_NOTIMPL unless a rule chooses another result.
  HRESULT notImplemented(const wchar_t* method);
  // A property's setter: logs the value and keeps it in field unless a rule refuses.
  template <class T>
  HRESULT setter(const wchar_t* method, T& field, T value) {
    HRESULT hr = record(method, {std::to_wstring(static_cast<long long>(value))});
    if (hr == S_OK) field = value;
    return hr;
  }
  // A property's getter: logs the call and hands out value unless a rule refuses.
  template <class T>
  HRESULT getter(const wchar_t* method, T* result, const T& value) {
    HRESULT hr = record(method);
    if (hr != S_OK) return hr;
    if (!result) return E_POINTER;
    *result = value;
    return S_OK;
  }

 private:
  static std::wstring key(REFIID iid);
  ComKit& kit_;
  std::wstring name_;
  long refs_ = 0;
  bool overReleased_ = false;
  std::set<std::wstring> withheld_;
};

class ComKit {
 public:
  ComKit() = default;
  ComKit(const ComKit&) = delete;
  ComKit& operator=(const ComKit&) = delete;

  // Every call in order, as "object.Method(arguments)".
  std::vector<std::wstring> log;

  // The entries of the log that start with prefix (for instance L"cap." or L"graph.Disconnect").
  std::vector<std::wstring> calls(const std::wstring& prefix) const;
  // The log without QueryInterface entries.
  std::vector<std::wstring> callsWithoutQueries() const;

  // The next `times` calls (every call when times < 0) whose log entry starts with prefix
  // answer hr and have no other effect.
  void fail(std::wstring prefix, HRESULT hr, int times = -1);

  // Appends an entry and answers the HRESULT of the first matching rule, else S_OK.
  HRESULT record(std::wstring entry);

  template <class T, class... Args>
  T* make(Args&&... args) {
    auto object = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T* raw = object.get();
    objects_.push_back(std::move(object));
    return raw;
  }

  // The fake that p is an interface pointer of, or null.
  FakeObject* objectOf(const void* pointer) const;
  template <class T>
  T* as(const void* pointer) const {
    return dynamic_cast<T*>(objectOf(pointer));
  }

  // How an argument reads in the log.
  std::wstring nameOf(const void* pointer) const;  // a fake's name, "null" or "foreign"
  std::wstring guidName(const GUID* guid) const;   // a known name, "null" or the braced form
  std::wstring guidName(REFGUID guid) const { return guidName(&guid); }
  void nameGuid(REFGUID guid, std::wstring name) { guidNames_.emplace_back(guid, std::move(name)); }

  // One line per object that still holds references or was released once too often.
  std::vector<std::wstring> leaks() const;

 private:
  struct Rule {
    std::wstring prefix;
    HRESULT hr;
    int times;
  };
  std::vector<std::unique_ptr<FakeObject>> objects_;
  std::vector<Rule> rules_;
  std::vector<std::pair<GUID, std::wstring>> guidNames_;
};

// Argument texts of the log.
std::wstring num(long long value);
std::wstring text(const wchar_t* value);      // quoted, or null
std::wstring refTime(const LONGLONG* value);  // "&" and the value, or null
std::wstring out(const void* pointer);        // "out" for an out parameter, or null

}  // namespace fakes
