<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>paperkit::TFmMain</name>
    <message>
        <source>专辑列表</source>
        <translation>Album lists</translation>
    </message>
    <message>
        <source>最新更新</source>
        <translation>Latest updates</translation>
    </message>
    <message>
        <source>最新更新来自:</source>
        <translation>Latest updates from:</translation>
    </message>
    <message>
        <source>青鸾画屏网站</source>
        <translation>the PaperKit web site</translation>
    </message>
    <message>
        <source>最新更新下载类别预设</source>
        <translation>Categories to download</translation>
    </message>
    <message>
        <source>检查最新更新</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <source>我的下载</source>
        <translation>My downloads</translation>
    </message>
    <message>
        <source>请到</source>
        <translation>Go to</translation>
    </message>
    <message>
        <source>桌面背景图片库</source>
        <translation>the wallpaper library</translation>
    </message>
    <message>
        <source>挑选您喜欢的图片专辑进行下载</source>
        <translation>to pick the albums you like</translation>
    </message>
    <message>
        <source>打开下载导引文件</source>
        <translation>Open a guide file</translation>
    </message>
    <message>
        <source>点击可全屏播放</source>
        <translation>Click to play full screen</translation>
    </message>
    <message>
        <source>更多介绍</source>
        <translation>More about it</translation>
    </message>
    <message>
        <source>全屏播放</source>
        <translation>Play full screen</translation>
    </message>
    <message>
        <source>分辨率</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>当前壁纸</source>
        <translation>Rotation list</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>专辑菜单</source>
        <translation>Album menu</translation>
    </message>
    <message>
        <source>下载该专辑</source>
        <translation>Download this album</translation>
    </message>
    <message>
        <source>加入当前壁纸更换列表</source>
        <translation>Add to the rotation list</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>重新或继续下载该专辑</source>
        <translation>Download this album again or resume it</translation>
    </message>
    <message>
        <source>不下载</source>
        <translation>Do not download</translation>
    </message>
    <message>
        <source>图片总数：%1张</source>
        <translation>Pictures: %1</translation>
    </message>
    <message>
        <source>图片总数</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>图片总数：</source>
        <translation>Pictures:</translation>
    </message>
    <message>
        <source>专辑名称</source>
        <translation>Album name</translation>
    </message>
    <message>
        <source>专辑介绍</source>
        <translation>About the album</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmNavigator</name>
    <message>
        <source>壁纸导航面板</source>
        <translation>Wallpaper navigator</translation>
    </message>
    <message>
        <source>青鸾画屏主界面</source>
        <translation>PaperKit main window</translation>
    </message>
    <message>
        <source>清除壁纸&#x9;Ctrl+Alt+C</source>
        <translation>Clear the wallpaper&#x9;Ctrl+Alt+C</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
</context>
</TS>
