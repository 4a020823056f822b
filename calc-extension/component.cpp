// The UNO add-in component of the LibreOffice extension. LibreOffice keeps
// the formulas of UNO add-ins when it saves and loads OpenDocument files (as
// ORG.VARIZAV.CALENDAR.<METHOD>), which it does not for legacy add-ins.
//
// The component is a thin host of libvarizav.so, which it finds beside its
// own file: it asks for the function count once (the library's
// configuration and character-set detection), passes the UI language to
// SetLanguage, and calls every worksheet function the way a legacy host does,
// with texts in the process's text encoding, so that the library's own rules
// for host texts apply unchanged.
#include <dlfcn.h>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/lang/XServiceName.hpp>
#include <com/sun/star/sheet/XAddIn.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase4.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <cppuhelper/supportsservice.hxx>
#include <osl/thread.h>
#include <org/varizav/XCalendar.hpp>
#include <rtl/string.hxx>
#include <rtl/ustring.hxx>

#include <cstring>
#include <string>
#include <type_traits>

namespace css = ::com::sun::star;

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementation_name,
                                                                      void* service_manager, void* registry_key);

namespace {

constexpr size_t kResultSize = 256;  // the host's text result buffer, terminator included

// kFunctions (names, kinds of the result and arguments, English and German
// texts) and kLanguageIdentifiers, generated from the library's registration.
#include "calendar_functions.h"

const char kServiceName[] = "org.varizav.Calendar";
const char kAddInService[] = "com.sun.star.sheet.AddIn";
const char kCategory[] = "Add-In";

// libvarizav.so, loaded once per process from the folder of this component.
class Library {
 public:
  static Library& instance() {
    static Library library;
    return library;
  }

  void* function(int number) const {
    if (functions_[number] == nullptr) {
      throw css::uno::RuntimeException(::rtl::OUString::fromUtf8(("varizav: " + error_).c_str()),
                                       css::uno::Reference<css::uno::XInterface>());
    }
    return functions_[number];
  }

  void set_language(unsigned short language) const {
    if (set_language_ != nullptr) set_language_(&language);
  }

 private:
  Library() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&component_getFactory), &info) == 0 || info.dli_fname == nullptr) {
      error_ = "cannot locate the component's own file";
      return;
    }
    std::string path = info.dli_fname;
    path = path.substr(0, path.rfind('/') + 1) + "libvarizav.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* why = dlerror();
      error_ = "cannot load " + path + ": " + (why != nullptr ? why : "");
      return;
    }
    using CountFunction = void (*)(unsigned short*);
    const auto count = reinterpret_cast<CountFunction>(dlsym(handle, "GetFunctionCount"));
    set_language_ = reinterpret_cast<void (*)(const unsigned short*)>(dlsym(handle, "SetLanguage"));
    unsigned short functions = 0;
    if (count != nullptr) count(&functions);
    if (functions != kFunctionCount || set_language_ == nullptr) {
      error_ = path + " is not the library this extension was built for";
      return;
    }
    error_.clear();
    for (int k = 0; k < kFunctionCount; ++k) {
      functions_[k] = dlsym(handle, kFunctions[k].exported_name);
      if (functions_[k] == nullptr) error_ = path + " lacks " + kFunctions[k].exported_name;
    }
    // Every function or none, so that a mismatched library shows errors only.
    if (!error_.empty()) {
      for (void*& f : functions_) f = nullptr;
    }
  }

  void* functions_[kFunctionCount] = {};
  void (*set_language_)(const unsigned short*) = nullptr;
  std::string error_ = "not loaded";
};

Library& library() { return Library::instance(); }

// Texts to and from the library in the process's text encoding, as a legacy host passes them.
::rtl::OString to_host(const ::rtl::OUString& text) {
  return ::rtl::OUStringToOString(text, osl_getThreadTextEncoding());
}

::rtl::OUString from_host(const char* text) {
  return ::rtl::OUString(text, static_cast<sal_Int32>(strnlen(text, kResultSize - 1)), osl_getThreadTextEncoding());
}

// The arguments of a worksheet function as a legacy host passes them: a
// number by its address, a text in the process's text encoding, held until
// the call returns.
const double* host_argument(const double& number) { return &number; }

class HostTextArgument {
 public:
  explicit HostTextArgument(const ::rtl::OUString& text) : bytes_(to_host(text)) {}
  operator const char*() const { return bytes_.getStr(); }

 private:
  ::rtl::OString bytes_;
};

HostTextArgument host_argument(const ::rtl::OUString& text) { return HostTextArgument(text); }

template <typename T>
using HostArgument = std::conditional_t<std::is_same_v<T, double>, const double*, const char*>;

// Calls worksheet function `number` of the library with the arguments of its
// UNO method, as a legacy host does: a pointer to the result (a double, or a
// kResultSize-byte text buffer), then one pointer per argument.
template <typename Result, typename... Arguments>
Result host_call(int number, const Arguments&... arguments) {
  if constexpr (std::is_same_v<Result, double>) {
    double result = 0.0;
    reinterpret_cast<void (*)(double*, HostArgument<Arguments>...)>(library().function(number))(
        &result, host_argument(arguments)...);
    return result;
  } else {
    char result[kResultSize] = {};
    reinterpret_cast<void (*)(char*, HostArgument<Arguments>...)>(library().function(number))(
        result, host_argument(arguments)...);
    return from_host(result);
  }
}

// The Windows language identifier a legacy host passes for a UI locale
// (the generated kLanguageIdentifiers, shared with the Python component).
unsigned short windows_language(const css::lang::Locale& locale) {
  for (const LanguageIdentifier& e : kLanguageIdentifiers) {
    if (locale.Language.equalsAscii(e.language) && (e.country[0] == '\0' || locale.Country.equalsAscii(e.country))) {
      return e.id;
    }
  }
  return kUnknownLanguage;
}

// The language of the user interface in effect ("de-DE"), from the
// configuration that LibreOffice writes at start-up; "" when unavailable.
::rtl::OUString configured_ui_locale(const css::uno::Reference<css::uno::XComponentContext>& context) {
  try {
    const css::uno::Reference<css::lang::XMultiServiceFactory> provider =
        css::configuration::theDefaultProvider::get(context);
    css::beans::PropertyValue path;
    path.Name = "nodepath";
    path.Value <<= ::rtl::OUString("/org.openoffice.Setup/L10N");
    css::uno::Sequence<css::uno::Any> arguments(1);
    arguments.getArray()[0] <<= path;
    const css::uno::Reference<css::container::XNameAccess> l10n(
        provider->createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", arguments),
        css::uno::UNO_QUERY_THROW);
    ::rtl::OUString locale;
    l10n->getByName("ooLocale") >>= locale;
    return locale;
  } catch (const css::uno::Exception&) {
    return ::rtl::OUString();
  }
}

// A BCP 47 tag ("de-DE", "en-US", "de") as a locale.
css::lang::Locale locale_of_tag(const ::rtl::OUString& tag) {
  css::lang::Locale locale;
  const sal_Int32 dash = tag.indexOf('-');
  locale.Language = dash < 0 ? tag : tag.copy(0, dash);
  if (dash >= 0) {
    const sal_Int32 next = tag.indexOf('-', dash + 1);
    locale.Country = next < 0 ? tag.copy(dash + 1) : tag.copy(dash + 1, next - dash - 1);
  }
  return locale;
}

class Calendar : public ::cppu::WeakImplHelper4<::org::varizav::XCalendar, css::sheet::XAddIn,
                                                 css::lang::XServiceName, css::lang::XServiceInfo> {
 public:
  // The library's language is the UI language, as a legacy host sets it:
  // Calc also passes en-US to setLocale to read the English function names,
  // which must not switch the library's name lookups and date texts.
  explicit Calendar(const css::uno::Reference<css::uno::XComponentContext>& context) {
    const ::rtl::OUString ui = configured_ui_locale(context);
    if (!ui.isEmpty()) {
      ui_language_known_ = true;
      library().set_language(windows_language(locale_of_tag(ui)));
    }
  }

  // ---- XCalendar: the worksheet functions, each a host_call ----
#include "calendar_methods.inc"

  // ---- XAddIn ----
  ::rtl::OUString SAL_CALL getProgrammaticFuntionName(const ::rtl::OUString& display_name) override {
    for (const Function& f : kFunctions) {
      if (display_name.equalsIgnoreAsciiCase(text(f.display_name))) return ::rtl::OUString::createFromAscii(f.method);
    }
    return ::rtl::OUString();
  }
  ::rtl::OUString SAL_CALL getDisplayFunctionName(const ::rtl::OUString& name) override {
    const Function* f = find(name);
    return f != nullptr ? text(f->display_name) : ::rtl::OUString();
  }
  ::rtl::OUString SAL_CALL getFunctionDescription(const ::rtl::OUString& name) override {
    const Function* f = find(name);
    return f != nullptr ? text(f->description) : ::rtl::OUString();
  }
  ::rtl::OUString SAL_CALL getDisplayArgumentName(const ::rtl::OUString& name, sal_Int32 argument) override {
    const Function* f = find(name);
    if (f == nullptr || argument < 0 || argument >= f->argument_count) return ::rtl::OUString();
    return text(f->arguments[argument].name);
  }
  ::rtl::OUString SAL_CALL getArgumentDescription(const ::rtl::OUString& name, sal_Int32 argument) override {
    const Function* f = find(name);
    if (f == nullptr || argument < 0 || argument >= f->argument_count) return ::rtl::OUString();
    return text(f->arguments[argument].description);
  }
  ::rtl::OUString SAL_CALL getProgrammaticCategoryName(const ::rtl::OUString&) override {
    return ::rtl::OUString::createFromAscii(kCategory);
  }
  ::rtl::OUString SAL_CALL getDisplayCategoryName(const ::rtl::OUString&) override {
    return ::rtl::OUString::createFromAscii(kCategory);
  }

  // ---- XLocalizable: the UI language ----
  void SAL_CALL setLocale(const css::lang::Locale& locale) override {
    locale_ = locale;
    german_ = locale.Language.equalsAscii("de");
    // Without the configuration, the first locale Calc passes is the UI's.
    if (!ui_language_known_) {
      ui_language_known_ = true;
      library().set_language(windows_language(locale));
    }
  }
  css::lang::Locale SAL_CALL getLocale() override { return locale_; }

  // ---- XServiceName, XServiceInfo ----
  ::rtl::OUString SAL_CALL getServiceName() override { return ::rtl::OUString::createFromAscii(kServiceName); }
  ::rtl::OUString SAL_CALL getImplementationName() override { return implementation_name(); }
  sal_Bool SAL_CALL supportsService(const ::rtl::OUString& service) override {
    return ::cppu::supportsService(this, service);
  }
  css::uno::Sequence<::rtl::OUString> SAL_CALL getSupportedServiceNames() override { return service_names(); }

  static ::rtl::OUString implementation_name() { return ::rtl::OUString::createFromAscii(kServiceName); }
  static css::uno::Sequence<::rtl::OUString> service_names() {
    css::uno::Sequence<::rtl::OUString> names(2);
    names.getArray()[0] = ::rtl::OUString::createFromAscii(kServiceName);
    names.getArray()[1] = ::rtl::OUString::createFromAscii(kAddInService);
    return names;
  }

 private:
  ::rtl::OUString text(const TextPair& pair) const {
    return ::rtl::OUString::fromUtf8(german_ ? pair.german : pair.english);
  }
  static const Function* find(const ::rtl::OUString& method) {
    for (const Function& f : kFunctions) {
      if (method.equalsAscii(f.method)) return &f;
    }
    return nullptr;
  }

  css::lang::Locale locale_;
  bool german_ = false;
  bool ui_language_known_ = false;
};

css::uno::Reference<css::uno::XInterface> SAL_CALL create_calendar(
    const css::uno::Reference<css::uno::XComponentContext>& context) {
  return static_cast<::cppu::OWeakObject*>(new Calendar(context));
}
::rtl::OUString SAL_CALL calendar_implementation_name() { return Calendar::implementation_name(); }
css::uno::Sequence<::rtl::OUString> SAL_CALL calendar_service_names() { return Calendar::service_names(); }

const ::cppu::ImplementationEntry kEntries[] = {
    {create_calendar, calendar_implementation_name, calendar_service_names, ::cppu::createSingleComponentFactory,
     nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementation_name,
                                                                      void* service_manager, void* registry_key) {
  return ::cppu::component_getFactoryHelper(implementation_name, service_manager, registry_key, kEntries);
}
