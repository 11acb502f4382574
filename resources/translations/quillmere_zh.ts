<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh">
<context>
    <name>AIEditorPage</name>
    <message>
        <source>AI Editor</source>
        <translation>AI 编辑器</translation>
    </message>
</context>
<context>
    <name>AIHandler</name>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Player Guide</source>
        <translation>玩家指南</translation>
    </message>
</context>
<context>
    <name>AiProjectVersionTreeView</name>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
</context>
<context>
    <name>AiProjectsPage</name>
    <message>
        <source>AI Projects</source>
        <translation>AI 项目</translation>
    </message>
</context>
<context>
    <name>AppDefines</name>
    <message>
        <source>YOU</source>
        <translation>你</translation>
    </message>
</context>
<context>
    <name>CampaignMissionDataPage</name>
    <message>
        <source>Campaign Mission</source>
        <translation>战役任务</translation>
    </message>
</context>
<context>
    <name>CampaignMissionListPage</name>
    <message>
        <source>Campaign</source>
        <translation>战役</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesModal</name>
    <message>
        <source>Updates</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Checking for Updates...</source>
        <translation>正在检查更新...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>There&apos;s a new version of lobby available</source>
        <translation>大厅有新版本可用</translation>
    </message>
    <message>
        <source>Update now to get the latest features and improvements</source>
        <translation>立即更新以获得最新功能和改进</translation>
    </message>
    <message>
        <source>You are using the latest version of lobby.</source>
        <translation>你使用的是最新版本的大厅。</translation>
    </message>
    <message>
        <source>An error occurred while checking for a software update.</source>
        <translation>检查软件更新时出错。</translation>
    </message>
</context>
<context>
    <name>Common</name>
    <message>
        <source>Today</source>
        <translation>今天</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>昨天</translation>
    </message>
</context>
<context>
    <name>CustomAITreeView</name>
    <message>
        <source>AI Name</source>
        <translation>AI 名称</translation>
    </message>
</context>
<context>
    <name>DataPlayer</name>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>已同步</translation>
    </message>
    <message>
        <source>Not synced</source>
        <translation>未同步</translation>
    </message>
</context>
<context>
    <name>DisplayResolutionList</name>
    <message>
        <source>Custom</source>
        <translation>其他</translation>
    </message>
</context>
<context>
    <name>EngineVersionTreeView</name>
    <message>
        <source>Engine Version</source>
        <translation>引擎版本</translation>
    </message>
</context>
<context>
    <name>ExtrasPage</name>
    <message>
        <source>Extras</source>
        <translation>附加内容</translation>
    </message>
</context>
<context>
    <name>GameSettingsPage</name>
    <message>
        <source>Game Settings</source>
        <translation>游戏设置</translation>
    </message>
</context>
<context>
    <name>GameTestsPage</name>
    <message>
        <source>Game Tests</source>
        <translation>游戏测试</translation>
    </message>
</context>
<context>
    <name>GameVersionTreeView</name>
    <message>
        <source>Game Version</source>
        <translation>游戏版本</translation>
    </message>
</context>
<context>
    <name>ListChoiceModal</name>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainMenuPage</name>
    <message>
        <source>Main Menu</source>
        <translation>主菜单</translation>
    </message>
    <message>
        <source>Single Player</source>
        <translation>单人游戏</translation>
    </message>
    <message>
        <source>Quick Skirmish</source>
        <translation>快速遭遇战</translation>
    </message>
    <message>
        <source>Custom Skirmish</source>
        <translation>自定义遭遇战</translation>
    </message>
    <message>
        <source>Replays</source>
        <translation>录像</translation>
    </message>
    <message>
        <source>Multiplayer</source>
        <translation>多人游戏</translation>
    </message>
    <message>
        <source>Lobby Server</source>
        <translation>大厅服务器</translation>
    </message>
    <message>
        <source>Custom Server</source>
        <translation>自定义服务器</translation>
    </message>
    <message>
        <source>Steam</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>程序</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>附加内容</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Developers</source>
        <translation>开发者</translation>
    </message>
    <message>
        <source>AI Projects</source>
        <translation>AI 项目</translation>
    </message>
    <message>
        <source>Game Tests</source>
        <translation>游戏测试</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>MapsTreeView</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Map Name</source>
        <translation>地图名称</translation>
    </message>
    <message>
        <source>Minimap</source>
        <translation>小地图</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Map Size</source>
        <translation>地图大小</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>风力</translation>
    </message>
    <message>
        <source>Map Wind Strength</source>
        <translation>地图风力强度</translation>
    </message>
    <message>
        <source>Tidal</source>
        <translation>潮汐</translation>
    </message>
    <message>
        <source>Map Tidal Strength</source>
        <translation>地图潮汐强度</translation>
    </message>
    <message>
        <source>Metal</source>
        <translation>金属</translation>
    </message>
    <message>
        <source>Map Metal Capacity</source>
        <translation>地图金属储量</translation>
    </message>
</context>
<context>
    <name>MinimapDataWidget</name>
    <message>
        <source>Map</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>Split Map Horizontally</source>
        <translation>水平分割地图</translation>
    </message>
    <message>
        <source>Split Map Vertically</source>
        <translation>垂直分割地图</translation>
    </message>
    <message>
        <source>Split Map Diagonally</source>
        <translation>对角分割地图</translation>
    </message>
    <message>
        <source>Split Map Center</source>
        <translation>按边中点分割地图</translation>
    </message>
</context>
<context>
    <name>MissionEditorPage</name>
    <message>
        <source>Mission Editor</source>
        <translation>任务编辑器</translation>
    </message>
</context>
<context>
    <name>MissionListPage</name>
    <message>
        <source>Mission</source>
        <translation>任务</translation>
    </message>
</context>
<context>
    <name>MissionsCampaignHandler</name>
    <message>
        <source>First Light</source>
        <translation>破晓</translation>
    </message>
    <message>
        <source>The Iron Ford</source>
        <translation>铁之渡口</translation>
    </message>
    <message>
        <source>Ashes of Morvantis</source>
        <translation>莫凡提斯的灰烬</translation>
    </message>
</context>
<context>
    <name>MissionsHandler</name>
    <message>
        <source>Mission</source>
        <translation>任务</translation>
    </message>
</context>
<context>
    <name>MissionsTutorialHandler</name>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
</context>
<context>
    <name>ModalPage</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>NButtonOnOff</name>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
</context>
<context>
    <name>NSettingsSlider</name>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
</context>
<context>
    <name>NotInSyncModal</name>
    <message>
        <source>Your Status - Not In Sync</source>
        <translation>你的状态 - 未同步</translation>
    </message>
    <message>
        <source>Battle In Sync Validation</source>
        <translation>对战同步检查</translation>
    </message>
    <message>
        <source>Map Info</source>
        <translation>地图信息</translation>
    </message>
    <message>
        <source>To start the Battle you should download all of the above
Your download will start automatically</source>
        <translation>要开始对战，你需要下载以上所有内容
下载将自动开始</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Synced</source>
        <translation>已同步</translation>
    </message>
    <message>
        <source>Not Synced</source>
        <translation>未同步</translation>
    </message>
</context>
<context>
    <name>PlayerGuidePage</name>
    <message>
        <source>Player Guide</source>
        <translation>玩家指南</translation>
    </message>
</context>
<context>
    <name>PlayerInfoModal</name>
    <message>
        <source>Player&apos;s Profile</source>
        <translation>玩家资料</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>当地时间</translation>
    </message>
</context>
<context>
    <name>QuitConfirmModal</name>
    <message>
        <source>Do you really want to quit?</source>
        <translation>确定要退出吗？</translation>
    </message>
</context>
<context>
    <name>ReplaysManager</name>
    <message>
        <source>DUEL</source>
        <translation>决斗</translation>
    </message>
</context>
<context>
    <name>ReplaysPage</name>
    <message>
        <source>Replays</source>
        <translation>录像</translation>
    </message>
</context>
<context>
    <name>ScreenResolutionTreeView</name>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Screen Resolution</source>
        <translation>屏幕分辨率</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>比例</translation>
    </message>
    <message>
        <source>Screen Resolution Ratio</source>
        <translation>屏幕宽高比</translation>
    </message>
</context>
<context>
    <name>SelectAIModal</name>
    <message>
        <source>Select AI to play with</source>
        <translation>选择一起游戏的 AI</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>简单</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>困难</translation>
    </message>
    <message>
        <source>Insane</source>
        <translation>疯狂</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
</context>
<context>
    <name>SelectAISideModal</name>
    <message>
        <source>Select AI&apos;s side</source>
        <translation>选择 AI 的阵营</translation>
    </message>
</context>
<context>
    <name>SelectAiProjectVersionModal</name>
    <message>
        <source>Select Ai Project Version</source>
        <translation>选择 AI 项目版本</translation>
    </message>
</context>
<context>
    <name>SelectColorModal</name>
    <message>
        <source>Select AI&apos;s color</source>
        <translation>选择 AI 的颜色</translation>
    </message>
    <message>
        <source>Select Player&apos;s color</source>
        <translation>选择玩家的颜色</translation>
    </message>
</context>
<context>
    <name>SelectDifficultModal</name>
    <message>
        <source>Select AI&apos;s Difficult</source>
        <translation>选择 AI 的难度</translation>
    </message>
</context>
<context>
    <name>SelectEngineVersionModal</name>
    <message>
        <source>Select Engine Version</source>
        <translation>选择引擎版本</translation>
    </message>
</context>
<context>
    <name>SelectGameVersionModal</name>
    <message>
        <source>Select Game Version</source>
        <translation>选择游戏版本</translation>
    </message>
</context>
<context>
    <name>SelectLanguageModal</name>
    <message>
        <source>Select Language</source>
        <translation>选择语言</translation>
    </message>
    <message>
        <source>The language choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>无法将语言选择保存到 %1。大厅不会重启。</translation>
    </message>
</context>
<context>
    <name>SelectMapModal</name>
    <message>
        <source>Select Map</source>
        <translation>选择地图</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>SelectPlayGameModal</name>
    <message>
        <source>Select Game</source>
        <translation>选择游戏</translation>
    </message>
    <message>
        <source>After select lobby is going to restart automatically</source>
        <translation>选择后大厅将自动重启</translation>
    </message>
    <message>
        <source>The game choice could not be saved to %1. The lobby is not restarted.</source>
        <translation>无法将游戏选择保存到 %1。大厅不会重启。</translation>
    </message>
</context>
<context>
    <name>SelectScreenResolutionModal</name>
    <message>
        <source>Select Screen Resolution</source>
        <translation>选择屏幕分辨率</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>SelectSideModal</name>
    <message>
        <source>Select Player&apos;s Side</source>
        <translation>选择玩家的阵营</translation>
    </message>
</context>
<context>
    <name>SelectStartPositionModal</name>
    <message>
        <source>Select Start Position</source>
        <translation>选择起始位置</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>随机</translation>
    </message>
    <message>
        <source>Choose In Game</source>
        <translation>游戏内选择</translation>
    </message>
</context>
<context>
    <name>SelectTauntModal</name>
    <message>
        <source>Select Taunt</source>
        <translation>选择嘲讽</translation>
    </message>
</context>
<context>
    <name>SendLogModal</name>
    <message>
        <source>Send Logs to developers</source>
        <translation>将日志发送给开发者</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>To make a screenshot of the game or lobby - press &apos;F12&apos;&apos; key</source>
        <translation>按 &apos;F12&apos; 键截取游戏或大厅的屏幕</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>你的名字</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>电子邮件</translation>
    </message>
    <message>
        <source>Describe your problem</source>
        <translation>描述你的问题</translation>
    </message>
    <message>
        <source>Game LOG</source>
        <translation>游戏日志</translation>
    </message>
    <message>
        <source>Lobby LOG</source>
        <translation>大厅日志</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>Game Screenshot</source>
        <translation>游戏截图</translation>
    </message>
    <message>
        <source>Lobby Screenshot</source>
        <translation>大厅截图</translation>
    </message>
    <message>
        <source>Sending LOGs</source>
        <translation>正在发送日志</translation>
    </message>
    <message>
        <source>LOGs sent</source>
        <translation>日志已发送</translation>
    </message>
    <message>
        <source>Error, LOGs not sent</source>
        <translation>错误，日志未发送</translation>
    </message>
</context>
<context>
    <name>ShowChangeLogModal</name>
    <message>
        <source>Change Log</source>
        <translation>更新日志</translation>
    </message>
    <message>
        <source>Lobby Change LOG</source>
        <translation>大厅更新日志</translation>
    </message>
</context>
<context>
    <name>SimplePage</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
</context>
<context>
    <name>SkirmishCustomPage</name>
    <message>
        <source>Custom Skirmish</source>
        <translation>自定义遭遇战</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickHandler</name>
    <message>
        <source>No Name</source>
        <translation>无名</translation>
    </message>
</context>
<context>
    <name>SkirmishQuickPage</name>
    <message>
        <source>Quick Skirmish</source>
        <translation>快速遭遇战</translation>
    </message>
</context>
<context>
    <name>SpringLoginPage</name>
    <message>
        <source>Multiplayer</source>
        <translation>多人游戏</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>登录</translation>
    </message>
</context>
<context>
    <name>SpringLoginPageCustom</name>
    <message>
        <source>Custom Server</source>
        <translation>自定义服务器</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>登录</translation>
    </message>
</context>
<context>
    <name>SpringMainPage</name>
    <message>
        <source>Lobby</source>
        <translation>大厅</translation>
    </message>
</context>
<context>
    <name>SteamLoginPage</name>
    <message>
        <source>Steam Login</source>
        <translation>Steam 登录</translation>
    </message>
    <message>
        <source>Log In</source>
        <translation>登录</translation>
    </message>
</context>
<context>
    <name>SyncStatus</name>
    <message>
        <source>Searching</source>
        <translation>搜索中</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>下载中</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>安装中</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>已完成</translation>
    </message>
    <message>
        <source>Has Errors</source>
        <translation>有错误</translation>
    </message>
</context>
<context>
    <name>TauntsTreeView</name>
    <message>
        <source>Taunt Number</source>
        <translation>嘲讽编号</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>Taunt Title</source>
        <translation>嘲讽标题</translation>
    </message>
</context>
<context>
    <name>TutorialMissionDataPage</name>
    <message>
        <source>Tutorial Mission</source>
        <translation>教程任务</translation>
    </message>
</context>
<context>
    <name>TutorialMissionListPage</name>
    <message>
        <source>Tutorials</source>
        <translation>教程</translation>
    </message>
</context>
<context>
    <name>TypePasswordModal</name>
    <message>
        <source>Battle is password protected</source>
        <translation>对战受密码保护</translation>
    </message>
    <message>
        <source>Please enter the password:</source>
        <translation>请输入密码:</translation>
    </message>
</context>
<context>
    <name>UTCTimeWidget</name>
    <message>
        <source>CET</source>
        <translation>中欧</translation>
    </message>
    <message>
        <source>Central European Time</source>
        <translation>欧洲中部时间</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Coordinated Universal Time</source>
        <translation>协调世界时</translation>
    </message>
    <message>
        <source>NOW</source>
        <translation>现在</translation>
    </message>
    <message>
        <source>Local Time</source>
        <translation>当地时间</translation>
    </message>
</context>
<context>
    <name>UpdatesPage</name>
    <message>
        <source>Updates</source>
        <translation>更新</translation>
    </message>
</context>
</TS>
