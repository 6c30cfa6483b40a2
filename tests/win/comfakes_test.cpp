// The COM fake kit itself: reference counting, QueryInterface, the call log, failure rules,
// the leak check, and the fakes the device tests lean on.
#include <gtest/gtest.h>
#include <wrl/client.h>

#include "fakes/engine_over_fakes.h"
#include "fakes/fake_com_factory.h"
#include "fakes/fake_enum.h"
#include "grabcore/win/filter_lookup.h"
#include "winui/text.h"

using Microsoft::WRL::ComPtr;
using namespace fakes;
using Log = std::vector<std::wstring>;

TEST(ComKit, QueryInterfaceAnswersDeclaredInterfacesAndTheirBases) {
  ComKit kit;
  FakeGraph* graph = kit.make<FakeGraph>(L"graph");
  IGraphBuilder* builder = graph;
  ComPtr<IFilterGraph> base;
  ComPtr<IMediaControl> control;
  ComPtr<IMediaEvent> events;
  ComPtr<IUnknown> identity1, identity2;
  ASSERT_EQ(builder->QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(base.GetAddressOf())), S_OK);
  ASSERT_EQ(base->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control.GetAddressOf())), S_OK);
  ASSERT_EQ(control->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events.GetAddressOf())), S_OK);
  ASSERT_EQ(base->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity1.GetAddressOf())), S_OK);
  ASSERT_EQ(events->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity2.GetAddressOf())), S_OK);
  EXPECT_EQ(identity1.Get(), identity2.Get());
  EXPECT_EQ(static_cast<void*>(control.Get()), static_cast<void*>(static_cast<IMediaControl*>(graph)));
  EXPECT_EQ(graph->refs(), 5);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(builder->QueryInterface(IID_IVideoWindow, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(kit.calls(L"graph.QueryInterface(IID_IMediaControl)"), (Log{L"graph.QueryInterface(IID_IMediaControl)"}));
}

TEST(ComKit, OptionalInterfacesAnswerOnlyWhenOffered) {
  ComKit kit;
  FakeFilter* filter = kit.make<FakeFilter>(L"src");
  ComPtr<IAMVideoProcAmp> amp;
  EXPECT_EQ(filter->filter()->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(amp.GetAddressOf())),
            E_NOINTERFACE);
  filter->offer(IID_IAMVideoProcAmp);
  EXPECT_EQ(filter->filter()->QueryInterface(IID_IAMVideoProcAmp, reinterpret_cast<void**>(amp.GetAddressOf())), S_OK);
  amp.Reset();
  filter->withhold(IID_IBaseFilter);
  ComPtr<IBaseFilter> again;
  EXPECT_EQ(filter->filter()->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(again.GetAddressOf())),
            E_NOINTERFACE);
  EXPECT_EQ(kit.leaks(), Log{});
}

TEST(ComKit, LeakCheckNamesHeldAndOverReleasedObjects) {
  ComKit kit;
  FakeFilter* kept = kit.make<FakeFilter>(L"kept");
  FakeFilter* dropped = kit.make<FakeFilter>(L"dropped");
  kept->AddRef();
  dropped->AddRef();
  dropped->Release();
  dropped->Release();
  EXPECT_EQ(kit.leaks(), (Log{L"kept still holds 1 reference(s)", L"dropped was released more often than referenced"}));
  kept->Release();
}

TEST(ComKit, CallsAreLoggedWithNamesOfGuidsPointersAndValues) {
  ComKit kit;
  FakeCaptureBuilder* builder = kit.make<FakeCaptureBuilder>(L"cap");
  FakeFilter* source = kit.make<FakeFilter>(L"src");
  REFERENCE_TIME never = MAXLONGLONG;
  builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, source->filter(), nullptr, builder->mux);
  builder->ControlStream(&PIN_CATEGORY_CAPTURE, nullptr, nullptr, nullptr, &never, 0, 7);
  builder->AllocCapFile(L"C:\\a.avi", 1048576);
  EXPECT_EQ(kit.log, (Log{L"cap.RenderStream(PIN_CATEGORY_PREVIEW, MEDIATYPE_Video, src, null, mux)",
                          L"cap.ControlStream(PIN_CATEGORY_CAPTURE, null, null, null, &9223372036854775807, 0, 7)",
                          L"cap.AllocCapFile(\"C:\\a.avi\", 1048576)"}));
}

TEST(ComKit, FailureRulesMatchByPrefixAndCount) {
  ComKit kit;
  FakeCaptureBuilder* builder = kit.make<FakeCaptureBuilder>(L"cap");
  kit.fail(L"cap.RenderStream(PIN_CATEGORY_CAPTURE", E_INVALIDARG, 1);
  kit.fail(L"cap.AllocCapFile", E_NOTIMPL);
  EXPECT_EQ(builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, nullptr, nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(builder->AllocCapFile(L"x", 1), E_NOTIMPL);
  EXPECT_EQ(builder->AllocCapFile(L"x", 1), E_NOTIMPL);
  EXPECT_EQ(kit.log.size(), 5u);
  // A failing hand-out gives nothing and takes no reference.
  kit.fail(L"cap.SetOutputFileName", E_FAIL, 1);
  IBaseFilter* mux = reinterpret_cast<IBaseFilter*>(1);
  EXPECT_EQ(builder->SetOutputFileName(&MEDIASUBTYPE_Avi, L"x", &mux, nullptr), E_FAIL);
  EXPECT_EQ(mux, nullptr);
  EXPECT_EQ(kit.leaks(), Log{});
}

TEST(ComKit, EnumeratorsHoldTheirItemsUntilReleased) {
  ComKit kit;
  FakeFilter* filter = kit.make<FakeFilter>(L"src");
  FakePin* out = filter->addPin(L"out", PINDIR_OUTPUT);
  filter->addPin(L"in", PINDIR_INPUT);
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(filter->EnumPins(&pins), S_OK);
  EXPECT_EQ(out->refs(), 1);
  IPin* got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(pins->Next(3, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(got[0], out->pin());
  for (ULONG i = 0; i < fetched; ++i) got[i]->Release();
  pins.Reset();
  EXPECT_EQ(kit.leaks(), Log{});
}

TEST(ComKit, PinsReportPeerFilterAndCategory) {
  ComKit kit;
  FakeFilter* source = kit.make<FakeFilter>(L"src");
  FakeFilter* sink = kit.make<FakeFilter>(L"sink");
  FakePin* out = source->addPin(L"capture", PINDIR_OUTPUT);
  FakePin* in = sink->addPin(L"in", PINDIR_INPUT);
  ComPtr<IPin> peer;
  EXPECT_EQ(out->ConnectedTo(&peer), VFW_E_NOT_CONNECTED);
  out->connect(in);
  ASSERT_EQ(out->ConnectedTo(&peer), S_OK);
  PIN_INFO info{};
  ASSERT_EQ(peer->QueryPinInfo(&info), S_OK);
  EXPECT_EQ(info.dir, PINDIR_INPUT);
  EXPECT_EQ(info.pFilter, sink->filter());
  EXPECT_STREQ(info.achName, L"in");
  info.pFilter->Release();
  out->category = PIN_CATEGORY_CAPTURE;
  out->offer(IID_IKsPropertySet);
  ComPtr<IKsPropertySet> properties;
  ASSERT_EQ(out->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(properties.GetAddressOf())), S_OK);
  GUID category{};
  DWORD returned = 0;
  ASSERT_EQ(
      properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof(category), &returned),
      S_OK);
  EXPECT_EQ(category, PIN_CATEGORY_CAPTURE);
  properties.Reset();
  peer.Reset();
  EXPECT_EQ(kit.leaks(), Log{});
}

TEST(ComKit, StreamConfigHandsOutACopyOfItsFormat) {
  ComKit kit;
  FakeFilter* source = kit.make<FakeFilter>(L"src");
  FakePin* out = source->addPin(L"capture", PINDIR_OUTPUT);
  std::vector<BYTE> block;
  out->setFormat(videoFormat(320, 240, 333667, block));
  AM_MEDIA_TYPE* type = nullptr;
  ASSERT_EQ(out->GetFormat(&type), S_OK);
  ASSERT_EQ(type->cbFormat, sizeof(VIDEOINFOHEADER));
  EXPECT_NE(type->pbFormat, out->formatBlock.data());
  EXPECT_EQ(reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat)->bmiHeader.biWidth, 320);
  reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat)->AvgTimePerFrame = 400000;
  ASSERT_EQ(out->SetFormat(type), S_OK);
  EXPECT_EQ(reinterpret_cast<VIDEOINFOHEADER*>(out->format.pbFormat)->AvgTimePerFrame, 400000);
  CoTaskMemFree(type->pbFormat);
  CoTaskMemFree(type);
  EXPECT_EQ(kit.calls(L"src.capture.SetFormat"),
            (Log{L"src.capture.SetFormat(MEDIATYPE_Video, MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 88)"}));
}

TEST(ComKit, EmptyCategoryGivesSFalseAndNoEnumerator) {
  ComKit kit;
  FakeDeviceEnum* devices = kit.make<FakeDeviceEnum>(L"devenum");
  IEnumMoniker* monikers = reinterpret_cast<IEnumMoniker*>(1);
  EXPECT_EQ(devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0), S_FALSE);
  EXPECT_EQ(monikers, nullptr);
}

TEST(ComKit, GraphReleasesItsFiltersWhenItGoes) {
  ComKit kit;
  FakeComFactory com(kit);
  FakeFilter* source = kit.make<FakeFilter>(L"src");
  ComPtr<IGraphBuilder> graph;
  ASSERT_EQ(com.createInstance(CLSID_FilterGraph, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(graph.GetAddressOf())),
            S_OK);
  ASSERT_EQ(graph->AddFilter(source->filter(), L"x"), S_OK);
  EXPECT_EQ(source->refs(), 1);
  graph.Reset();
  EXPECT_EQ(source->refs(), 0);
  void* none = nullptr;
  EXPECT_EQ(com.createInstance(CLSID_VideoCompressorCategory, 1, IID_IUnknown, &none), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(kit.log,
            (Log{L"com.CoCreateInstance(CLSID_FilterGraph, 1, IID_IGraphBuilder)", L"graph.AddFilter(src, \"x\")",
                 L"com.CoCreateInstance(CLSID_VideoCompressorCategory, 1, IID_IUnknown)"}));
}

// The product's filter lookup over the fake device enumerator.
class FilterLookupOverFakes : public EngineOverFakes {};

TEST_F(FilterLookupOverFakes, FindsTheFirstDeviceOfTheNameAndBindsIt) {
  FakeFilter* first = kit.make<FakeFilter>(L"cam1");
  FakeFilter* second = kit.make<FakeFilter>(L"cam2");
  com.devices->addDevice(CLSID_VideoInputDeviceCategory, L"dev1", L"カメラ", first);
  com.devices->addDevice(CLSID_VideoInputDeviceCategory, L"dev2", L"カメラ", second);
  CLSID clsid{};
  ComPtr<IBaseFilter> bound;
  EXPECT_TRUE(
      findFilter(host, com, winui::narrow(L"カメラ"), CLSID_VideoInputDeviceCategory, &clsid, bound.GetAddressOf()));
  EXPECT_EQ(bound.Get(), first->filter());
  EXPECT_EQ(kit.calls(L"dev2"), Log{});
}

TEST_F(FilterLookupOverFakes, EmptyCategoryReportsNothingFound) {
  CLSID clsid{};
  EXPECT_FALSE(findFilter(host, com, "cam", CLSID_VideoInputDeviceCategory, &clsid, nullptr));
  EXPECT_EQ(host.replies,
            (Log{L"error クラス「filterHandler」の「findFilter」でフィルタの検索に失敗しました。(ID=7)"}));
}
