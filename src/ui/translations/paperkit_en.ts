<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>paperkit::AskYesNo</name>
    <message>
        <source>青鸾画屏</source>
        <translation>PaperKit</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmBk</name>
    <message>
        <source>壁纸导航面板背景</source>
        <translation>Wallpaper navigator backdrop</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmCategorySetup</name>
    <message>
        <source>类别预设</source>
        <translation>Album categories</translation>
    </message>
    <message>
        <source>请选择您喜欢的图片类别（如果我们网站上有该类别的新图片，</source>
        <translation>Choose the picture categories you like (when our web site has</translation>
    </message>
    <message>
        <source>青鸾画屏将会第一时间为你下载欣赏哦！）</source>
        <translation>new pictures in them, PaperKit downloads them for you at once).</translation>
    </message>
    <message>
        <source>图片类别</source>
        <translation>Picture categories</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>全不选</source>
        <translation>Select none</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmMain</name>
    <message>
        <source>下载 %1/%2</source>
        <translation>Downloading %1/%2</translation>
    </message>
    <message>
        <source>不下载 %1/%2</source>
        <translation>Not downloading %1/%2</translation>
    </message>
    <message>
        <source>，在当前壁纸列表中</source>
        <translation>, in the wallpaper rotation</translation>
    </message>
    <message>
        <source>领先的桌面壁纸管理工具：青鸾画屏</source>
        <translation>PaperKit: the leading desktop wallpaper manager</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>Get</translation>
    </message>
    <message>
        <source>青鸾画屏 v2011c.12rc9</source>
        <translation>PaperKit v2011c.12rc9</translation>
    </message>
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
        <translation>Visit</translation>
    </message>
    <message>
        <source>桌面背景图片库</source>
        <translation>the wallpaper library</translation>
    </message>
    <message>
        <source>挑选您喜欢的图片专辑进行下载</source>
        <translation>and pick albums to download</translation>
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
        <translation>Details</translation>
    </message>
    <message>
        <source>全屏播放</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>分辨率</source>
        <translation>Picture size</translation>
    </message>
    <message>
        <source>当前壁纸</source>
        <translation>Wallpapers</translation>
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
        <translation>Add to the wallpaper rotation</translation>
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
        <translation>None</translation>
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
        <source>专辑名称</source>
        <translation>Album name</translation>
    </message>
    <message>
        <source>专辑介绍</source>
        <translation>About the album</translation>
    </message>
    <message>
        <source>图片总数：</source>
        <translation>Pictures:</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmNavigator</name>
    <message>
        <source>桌面背景图片库</source>
        <translation>Wallpaper library</translation>
    </message>
    <message>
        <source>壁纸列表</source>
        <translation>Wallpaper albums</translation>
    </message>
    <message>
        <source>主界面</source>
        <translation>Main window</translation>
    </message>
    <message>
        <source>上一个专辑</source>
        <translation>Previous album</translation>
    </message>
    <message>
        <source>上一张壁纸</source>
        <translation>Previous wallpaper</translation>
    </message>
    <message>
        <source>停止壁纸自动更换</source>
        <translation>Stop changing wallpapers</translation>
    </message>
    <message>
        <source>壁纸自动更换</source>
        <translation>Change wallpapers automatically</translation>
    </message>
    <message>
        <source>下一张壁纸</source>
        <translation>Next wallpaper</translation>
    </message>
    <message>
        <source>下一个专辑</source>
        <translation>Next album</translation>
    </message>
    <message>
        <source>壁纸导航面板</source>
        <translation>Wallpaper navigator</translation>
    </message>
    <message>
        <source>青鸾画屏主界面</source>
        <translation>PaperKit main window</translation>
    </message>
    <message>
        <source>清除壁纸	Ctrl+Alt+C</source>
        <translation>Clear the wallpaper	Ctrl+Alt+C</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmPaperList</name>
    <message>
        <source>当前壁纸更换列表</source>
        <translation>Wallpaper rotation</translation>
    </message>
    <message>
        <source>下面列表中的专辑图片将会被作为您的桌面壁纸按顺序自动循环显示。</source>
        <translation>The pictures of the albums below become your desktop wallpaper in turn, over and over.</translation>
    </message>
    <message>
        <source>壁纸更换列表</source>
        <translation>Wallpaper rotation list</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>移出</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>全部移出</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <source>增加本地壁纸目录</source>
        <translation>Add a local folder</translation>
    </message>
    <message>
        <source>全屏播放</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmSelfPath</name>
    <message>
        <source>增加本地壁纸目录</source>
        <translation>Add a local folder</translation>
    </message>
    <message>
        <source>请选择目录</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>目录</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>所选目录</source>
        <translation>Chosen folder</translation>
    </message>
    <message>
        <source>目录名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>遍历该目录下所有子目录图片</source>
        <translation>Include pictures in subfolders</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmSetup</name>
    <message>
        <source>青鸾画屏设置</source>
        <translation>PaperKit Settings</translation>
    </message>
    <message>
        <source>设置页</source>
        <translation>Settings pages</translation>
    </message>
    <message>
        <source>基本设置</source>
        <translation>General</translation>
    </message>
    <message>
        <source>壁纸更换</source>
        <translation>Wallpaper change</translation>
    </message>
    <message>
        <source>全屏播放</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>设置内容</source>
        <translation>Settings page</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>壁纸下载存放路径(如修改本路径需重新启动青鸾画屏后有效)</source>
        <translation>Download folder (a change takes effect when PaperKit restarts)</translation>
    </message>
    <message>
        <source>壁纸下载存放路径</source>
        <translation>Download folder for wallpapers</translation>
    </message>
    <message>
        <source>选择壁纸下载存放路径</source>
        <translation>Choose the download folder</translation>
    </message>
    <message>
        <source>启动 Windows 时自动启动青鸾画屏</source>
        <translation>Start PaperKit when I log in</translation>
    </message>
    <message>
        <source>自动更换壁纸</source>
        <translation>Change the wallpaper automatically</translation>
    </message>
    <message>
        <source>小时</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>更换频率：</source>
        <translation>Every</translation>
    </message>
    <message>
        <source>秒 （最小时间不能少于5秒）</source>
        <translation>s (at least 5 seconds)</translation>
    </message>
    <message>
        <source>壁纸显示</source>
        <translation>Wallpaper position</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>拉伸</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>平铺</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>每张图片显示时间（秒）</source>
        <translation>Seconds per picture</translation>
    </message>
    <message>
        <source>使用过渡特效播放</source>
        <translation>Use transition effects</translation>
    </message>
    <message>
        <source>循环播放</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>全屏播放图片时播放背景音乐</source>
        <translation>Play background music during full-screen play</translation>
    </message>
    <message>
        <source>试听背景音乐</source>
        <translation>Listen to the background music</translation>
    </message>
    <message>
        <source>停止试听</source>
        <translation>Stop listening</translation>
    </message>
    <message>
        <source>使用默认背景音乐</source>
        <translation>Use the default background music</translation>
    </message>
    <message>
        <source>自定义音乐文件(支持mp3、wma等格式声音文件)</source>
        <translation>Use this music file (mp3, wma and other sound files)</translation>
    </message>
    <message>
        <source>自定义音乐文件</source>
        <translation>Music file</translation>
    </message>
    <message>
        <source>选择自定义音乐文件</source>
        <translation>Choose a music file</translation>
    </message>
    <message>
        <source>每张图片显示时间：</source>
        <translation>Show each picture for</translation>
    </message>
    <message>
        <source>无法保存开机自动启动的设置，本次设置没有保存。</source>
        <translation>The start-at-login setting could not be saved; these settings were not saved.</translation>
    </message>
    <message>
        <source>壁纸下载存放路径不能包含换行符，新的路径没有保存。</source>
        <translation>The download folder cannot contain a line break; the new folder was not saved.</translation>
    </message>
    <message>
        <source>请选择目录</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>自定义音乐文件路径</source>
        <translation>Music file path</translation>
    </message>
</context>
<context>
    <name>paperkit::TFmShowImage</name>
    <message>
        <source>幻灯片放映</source>
        <translation>Slide show</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>放映菜单</source>
        <translation>Slide show menu</translation>
    </message>
    <message>
        <source>第一张</source>
        <translation>First</translation>
    </message>
    <message>
        <source>前一张</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>后一张</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>最后一张</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>自动放映</source>
        <translation>Play automatically</translation>
    </message>
    <message>
        <source>循环播放</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>播放背景音乐</source>
        <translation>Play background music</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>paperkit::WallpaperSource</name>
    <message>
        <source>[最新更新]</source>
        <translation>[Latest updates]</translation>
    </message>
    <message>
        <source>[我的下载]</source>
        <translation>[My downloads]</translation>
    </message>
    <message>
        <source>[本地壁纸]</source>
        <translation>[Local wallpapers]</translation>
    </message>
</context>
</TS>
