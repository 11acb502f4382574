#pragma once

#include <QMetaType>
#include <QSize>
#include <QString>
#include <QStringList>

// Every engine setting the lobby edits: storage type, member, key in the engine's config file and
// the value used when the key is missing. SpringData is kept apart: it is never read from a file.
// The one member whose key starts with a digit ("3DTrees") gets a leading underscore.
#define QM_ENGINE_SETTINGS_FIELDS(X)                                                                         \
    X(INT, XResolution, "XResolution", screen.width())                                                       \
    X(INT, YResolution, "YResolution", screen.height())                                                      \
    X(INT, XResolutionWindowed, "XResolutionWindowed", screen.width())                                       \
    X(INT, YResolutionWindowed, "YResolutionWindowed", screen.height())                                      \
    X(BOOL, Fullscreen, "Fullscreen", true)                                                                  \
    X(BOOL, DualScreenMode, "DualScreenMode", false)                                                         \
    X(BOOL, DualScreenMiniMapOnLeft, "DualScreenMiniMapOnLeft", false)                                       \
    X(INT, ScrollWheelSpeed, "ScrollWheelSpeed", -25)                                                        \
    X(BOOL, NoSound, "NoSound", false)                                                                       \
    X(INT, UnitIconDist, "UnitIconDist", 100)                                                                \
    X(INT, UnitLodDist, "UnitLodDist", 250)                                                                  \
    X(BOOL, WindowBorderless, "WindowBorderless", false)                                                     \
    X(INT, WindowPosX, "WindowPosX", 32)                                                                     \
    X(INT, WindowPosY, "WindowPosY", 32)                                                                     \
    X(INT, WindowState, "WindowState", 0)                                                                    \
    X(BOOL, TVEnabled, "TVEnabled", true)                                                                    \
    X(INT, TVEveryFrame, "TVEveryFrame", 120)                                                                \
    X(INT, TVSpeed, "TVSpeed", 6)                                                                            \
    X(INT, TVGameInfoDuration, "TVGameInfoDuration", 5)                                                      \
    X(BOOL, WindowedEdgeMove, "WindowedEdgeMove", true)                                                      \
    X(BOOL, HardwareCursor, "HardwareCursor", false)                                                         \
    X(INT, VSync, "VSync", 0)                                                                                \
    X(BOOL, LogFlush, "LogFlush", true)                                                                      \
    X(BOOL, AllowDeferredMapRendering, "AllowDeferredMapRendering", false)                                   \
    X(BOOL, AllowDeferredModelRendering, "AllowDeferredModelRendering", false)                               \
    X(BOOL, MapBorder, "MapBorder", true)                                                                    \
    X(INT, AtiHacks, "AtiHacks", -1)                                                                         \
    X(STRING, AutohostIP, "AutohostIP", QStringLiteral("127.0.0.1"))                                         \
    X(BOOL, BumpWaterBlurReflection, "BumpWaterBlurReflection", false)                                       \
    X(INT, BumpWaterTexSizeReflection, "BumpWaterTexSizeReflection", 512)                                    \
    X(BOOL, CamFreeEnabled, "CamFreeEnabled", false)                                                         \
    X(FLOAT, CamFreeScrollSpeed, "CamFreeScrollSpeed", 500.0f)                                               \
    X(INT, CamMode, "CamMode", 2)                                                                            \
    X(INT, CamSpringScrollSpeed, "CamSpringScrollSpeed", 10)                                                 \
    X(FLOAT, CamTimeExponent, "CamTimeExponent", 4.0f)                                                       \
    X(FLOAT, CamTimeFactor, "CamTimeFactor", 1.0f)                                                           \
    X(FLOAT, CrossSize, "CrossSize", 12.0f)                                                                  \
    X(INT, SpeedControl, "SpeedControl", 0)                                                                  \
    X(INT, FSAA, "FSAA", 0)                                                                                  \
    X(INT, FSAALevel, "FSAALevel", 0)                                                                        \
    X(BOOL, FixAltTab, "FixAltTab", false)                                                                   \
    X(INT, GroundDetail, "GroundDetail", 60)                                                                 \
    X(FLOAT, GuiOpacity, "GuiOpacity", 0.8f)                                                                 \
    X(INT, HangTimeout, "HangTimeout", 10)                                                                   \
    X(BOOL, HighResLos, "HighResLos", false)                                                                 \
    X(INT, InitialNetworkTimeout, "InitialNetworkTimeout", 30)                                               \
    X(STRING, InputTextGeo, "InputTextGeo", QString())                                                       \
    X(BOOL, InvertMouse, "InvertMouse", false)                                                               \
    X(FLOAT, LODScale, "LODScale", 1.0f)                                                                     \
    X(FLOAT, LODScaleReflection, "LODScaleReflection", 1.0f)                                                 \
    X(FLOAT, LODScaleRefraction, "LODScaleRefraction", 1.0f)                                                 \
    X(FLOAT, LODScaleShadow, "LODScaleShadow", 1.0f)                                                         \
    X(INT, LinkIncomingMaxPacketRate, "LinkIncomingMaxPacketRate", 64)                                       \
    X(INT, LinkIncomingMaxWaitingPackets, "LinkIncomingMaxWaitingPackets", 512)                              \
    X(INT, LinkIncomingPeakBandwidth, "LinkIncomingPeakBandwidth", 32768)                                    \
    X(INT, LinkIncomingSustainedBandwidth, "LinkIncomingSustainedBandwidth", 2048)                           \
    X(INT, LinkOutgoingBandwidth, "LinkOutgoingBandwidth", 65536)                                            \
    X(INT, MaxNanoParticles, "MaxNanoParticles", 2500)                                                       \
    X(INT, MaxParticles, "MaxParticles", 1000)                                                               \
    X(INT, MaxSounds, "MaxSounds", 128)                                                                      \
    X(BOOL, MinimapOnLeft, "MinimapOnLeft", false)                                                           \
    X(BOOL, MiniMapRenderToTexture, "MiniMapRenderToTexture", true)                                          \
    X(INT, NetworkTimeout, "NetworkTimeout", 30)                                                             \
    X(INT, ReconnectTimeout, "ReconnectTimeout", 15)                                                         \
    X(INT, ReflectiveWater, "ReflectiveWater", 1)                                                            \
    X(INT, Water, "Water", 1)                                                                                \
    X(FLOAT, SMFTexAniso, "SMFTexAniso", 0.0f)                                                               \
    X(INT, ScreenshotCounter, "ScreenshotCounter", 0)                                                        \
    X(INT, ShadowMapSize, "ShadowMapSize", 2048)                                                             \
    X(INT, Shadows, "Shadows", 2)                                                                            \
    X(BOOL, ShowClock, "ShowClock", true)                                                                    \
    X(INT, ShowPlayerInfo, "ShowPlayerInfo", 1)                                                              \
    X(INT, SmoothLines, "SmoothLines", 0)                                                                    \
    X(INT, SmoothPoints, "SmoothPoints", 0)                                                                  \
    X(INT, TreeRadius, "TreeRadius", 1408)                                                                   \
    X(BOOL, UseEFX, "UseEFX", true)                                                                          \
    X(BOOL, UsePBO, "UsePBO", true)                                                                          \
    X(BOOL, UseVBO, "UseVBO", true)                                                                          \
    X(FLOAT, snd_airAbsorption, "snd_airAbsorption", 0.1f)                                                   \
    X(INT, snd_volunitreply, "snd_volunitreply", 100)                                                        \
    X(INT, snd_volgeneral, "snd_volgeneral", 100)                                                            \
    X(INT, snd_volmaster, "snd_volmaster", 60)                                                               \
    X(INT, snd_volmusic, "snd_volmusic", 100)                                                                \
    X(BOOL, _3DTrees, "3DTrees", true)                                                                       \
    X(BOOL, AdvMapShading, "AdvMapShading", true)                                                            \
    X(BOOL, AdvSky, "AdvSky", false)                                                                         \
    X(BOOL, AdvUnitShading, "AdvUnitShading", true)                                                          \
    X(BOOL, AtiSwapRBFix, "AtiSwapRBFix", false)                                                             \
    X(FLOAT, BumpWaterAnisotropy, "BumpWaterAnisotropy", 0.0f)                                               \
    X(INT, BumpWaterDepthBits, "BumpWaterDepthBits", 24)                                                     \
    X(BOOL, BumpWaterDynamicWaves, "BumpWaterDynamicWaves", true)                                            \
    X(BOOL, BumpWaterEndlessOcean, "BumpWaterEndlessOcean", true)                                            \
    X(BOOL, BumpWaterOcclusionQuery, "BumpWaterOcclusionQuery", true)                                        \
    X(INT, BumpWaterReflection, "BumpWaterReflection", 1)                                                    \
    X(INT, BumpWaterRefraction, "BumpWaterRefraction", 1)                                                    \
    X(BOOL, BumpWaterShoreWaves, "BumpWaterShoreWaves", true)                                                \
    X(BOOL, BumpWaterUseDepthTexture, "BumpWaterUseDepthTexture", true)                                      \
    X(BOOL, BumpWaterUseUniforms, "BumpWaterUseUniforms", false)                                             \
    X(BOOL, CompressTextures, "CompressTextures", false)                                                     \
    X(FLOAT, CrossAlpha, "CrossAlpha", 0.5f)                                                                 \
    X(FLOAT, CrossMoveScale, "CrossMoveScale", 1.0f)                                                         \
    X(INT, CubeTexSizeReflection, "CubeTexSizeReflection", 128)                                              \
    X(INT, CubeTexSizeSpecular, "CubeTexSizeSpecular", 128)                                                  \
    X(BOOL, DynamicSky, "DynamicSky", false)                                                                 \
    X(BOOL, DynamicSun, "DynamicSun", true)                                                                  \
    X(FLOAT, DynamicSunMinElevation, "DynamicSunMinElevation", 0.1f)                                         \
    X(BOOL, EnableDrawCallIns, "EnableDrawCallIns", true)                                                    \
    X(INT, ExtraTextureUpdateRate, "ExtraTextureUpdateRate", 45)                                             \
    X(FLOAT, FeatureDrawDistance, "FeatureDrawDistance", 6000.0f)                                            \
    X(FLOAT, FeatureFadeDistance, "FeatureFadeDistance", 4500.0f)                                            \
    X(INT, GrassDetail, "GrassDetail", 7)                                                                    \
    X(INT, GroundDecals, "GroundDecals", 1)                                                                  \
    X(FLOAT, GroundLODScaleReflection, "GroundLODScaleReflection", 1.0f)                                     \
    X(FLOAT, GroundLODScaleRefraction, "GroundLODScaleRefraction", 1.0f)                                     \
    X(FLOAT, GroundLODScaleUnitReflection, "GroundLODScaleUnitReflection", 1.0f)                             \
    X(BOOL, GroundNormalTextureHighPrecision, "GroundNormalTextureHighPrecision", false)                     \
    X(BOOL, HeightMapTexture, "HeightMapTexture", true)                                                      \
    X(INT, LoadingMT, "LoadingMT", -1)                                                                       \
    X(INT, HardwareThreadCount, "HardwareThreadCount", 0)                                                    \
    X(INT, MultiThreadCount, "MultiThreadCount", 0)                                                          \
    X(INT, PathingThreadCount, "PathingThreadCount", 0)                                                      \
    X(INT, WorkerThreadCount, "WorkerThreadCount", -1)                                                       \
    X(BOOL, LuaShaders, "LuaShaders", true)                                                                  \
    X(FLOAT, MTInfoThreshold, "MTInfoThreshold", 1.0f)                                                       \
    X(INT, MaxDynamicMapLights, "MaxDynamicMapLights", 1)                                                    \
    X(INT, MaxDynamicModelLights, "MaxDynamicModelLights", 1)                                                \
    X(BOOL, MetalMapPalette, "MetalMapPalette", false)                                                       \
    X(BOOL, ShowFPS, "ShowFPS", false)                                                                       \
    X(INT, ROAM, "ROAM", 1)                                                                                  \
    X(INT, SetCoreAffinity, "SetCoreAffinity", 0)                                                            \
    X(INT, SetCoreAffinitySim, "SetCoreAffinitySim", 0)

#define QM_ES_TYPE_INT qint32
#define QM_ES_TYPE_BOOL bool
#define QM_ES_TYPE_FLOAT float
#define QM_ES_TYPE_STRING QString

// The engine settings of one config file, passed by value through queued calls.
struct DataEngineSettings
{
#define QM_ES_DECLARE(type, name, key, def) QM_ES_TYPE_##type name{};
    QM_ENGINE_SETTINGS_FIELDS(QM_ES_DECLARE)
#undef QM_ES_DECLARE
    // Engine data folder, followed by the custom sync folder when one is set.
    QString SpringData;

    // Field defaults; the resolution fields are 0 until a screen size is known.
    DataEngineSettings();
    // Field defaults with the resolution fields set to the given screen size.
    static DataEngineSettings Defaults(const QSize& screen);

    // Every key a record writes, SpringData included, in field order.
    static QStringList Keys();
    // The graphics fields that decide which preset a record matches.
    bool SameGraphics(const DataEngineSettings& other) const;

    bool operator==(const DataEngineSettings& other) const;
    bool operator!=(const DataEngineSettings& other) const
    {
        return !(*this == other);
    }
};

Q_DECLARE_METATYPE(DataEngineSettings)

// Registers DataEngineSettings under its name for queued calls by slot name.
void RegisterEngineSettingsMetaTypes();
