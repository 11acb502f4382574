#include "DataEngineSettings.h"

#include "MetaTypes.h"

DataEngineSettings::DataEngineSettings()
{
    const QSize screen(0, 0);
#define QM_ES_DEFAULT(type, name, key, def) name = def;
    QM_ENGINE_SETTINGS_FIELDS(QM_ES_DEFAULT)
#undef QM_ES_DEFAULT
}

DataEngineSettings DataEngineSettings::Defaults(const QSize& screen)
{
    DataEngineSettings es;
    es.XResolution = screen.width();
    es.YResolution = screen.height();
    es.XResolutionWindowed = screen.width();
    es.YResolutionWindowed = screen.height();
    return es;
}

QStringList DataEngineSettings::Keys()
{
    QStringList keys;
#define QM_ES_KEY(type, name, key, def) keys << QStringLiteral(key);
    QM_ENGINE_SETTINGS_FIELDS(QM_ES_KEY)
#undef QM_ES_KEY
    keys.insert(keys.indexOf(QStringLiteral("WindowState")) + 1, QStringLiteral("SpringData"));
    return keys;
}

bool DataEngineSettings::SameGraphics(const DataEngineSettings& o) const
{
    // Floats compare exactly: a preset is matched only by its own values.
    return FeatureDrawDistance == o.FeatureDrawDistance && FeatureFadeDistance == o.FeatureFadeDistance &&
           MaxParticles == o.MaxParticles && MaxNanoParticles == o.MaxNanoParticles &&
           GroundDetail == o.GroundDetail && GroundDecals == o.GroundDecals && GrassDetail == o.GrassDetail &&
           TreeRadius == o.TreeRadius && _3DTrees == o._3DTrees && AdvMapShading == o.AdvMapShading &&
           AdvUnitShading == o.AdvUnitShading && DynamicSun == o.DynamicSun && ROAM == o.ROAM &&
           SmoothLines == o.SmoothLines && SmoothPoints == o.SmoothPoints && UseEFX == o.UseEFX &&
           UsePBO == o.UsePBO && UseVBO == o.UseVBO && HighResLos == o.HighResLos &&
           DynamicSky == o.DynamicSky && AdvSky == o.AdvSky && FSAA == o.FSAA && FSAALevel == o.FSAALevel &&
           Shadows == o.Shadows && ShadowMapSize == o.ShadowMapSize &&
           AllowDeferredMapRendering == o.AllowDeferredMapRendering &&
           AllowDeferredModelRendering == o.AllowDeferredModelRendering &&
           MaxDynamicMapLights == o.MaxDynamicMapLights && MaxDynamicModelLights == o.MaxDynamicModelLights &&
           ReflectiveWater == o.ReflectiveWater && Water == o.Water &&
           BumpWaterBlurReflection == o.BumpWaterBlurReflection &&
           BumpWaterDepthBits == o.BumpWaterDepthBits && BumpWaterDynamicWaves == o.BumpWaterDynamicWaves &&
           BumpWaterEndlessOcean == o.BumpWaterEndlessOcean && BumpWaterReflection == o.BumpWaterReflection &&
           BumpWaterRefraction == o.BumpWaterRefraction && BumpWaterShoreWaves == o.BumpWaterShoreWaves &&
           BumpWaterTexSizeReflection == o.BumpWaterTexSizeReflection &&
           BumpWaterUseDepthTexture == o.BumpWaterUseDepthTexture &&
           BumpWaterUseUniforms == o.BumpWaterUseUniforms;
}

bool DataEngineSettings::operator==(const DataEngineSettings& other) const
{
#define QM_ES_EQUAL(type, name, key, def)                                                                    \
    if (!(name == other.name))                                                                               \
        return false;
    QM_ENGINE_SETTINGS_FIELDS(QM_ES_EQUAL)
#undef QM_ES_EQUAL
    return SpringData == other.SpringData;
}

void RegisterEngineSettingsMetaTypes()
{
    RegisterValueType<DataEngineSettings>("DataEngineSettings");
}
