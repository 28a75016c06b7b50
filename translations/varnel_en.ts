<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>CheckDialog</name>
    <message>
        <source>Проверка данных</source>
        <translation>Data check</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Столбец</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Самолет</source>
        <translation>Aircraft</translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Ошибок: %1, предупреждений: %2, в файлах: %3; без замечаний %4 самолетов из %5. Двойной щелчок открывает файл.</source>
        <translation>Errors: %1, warnings: %2, in files: %3; %4 of %5 aircraft without remarks. A double click opens the file.</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>error</translation>
    </message>
    <message>
        <source>предупреждение</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>Проверить данные…</source>
        <translation>Check data…</translation>
    </message>
    <message>
        <source>Данные: ошибок %1, предупреждений %2</source>
        <translation>Data: %1 errors, %2 warnings</translation>
    </message>
</context>
<context>
    <name>HelpDialog</name>
    <message>
        <source>Клавиши и мышь</source>
        <translation>Keys and mouse</translation>
    </message>
    <message>
        <source>О программе Varnel</source>
        <translation>About Varnel</translation>
    </message>
    <message>
        <source>следующая страница</source>
        <translation>next page</translation>
    </message>
    <message>
        <source>предыдущая страница</source>
        <translation>previous page</translation>
    </message>
    <message>
        <source>страница по ее номеру</source>
        <translation>page by its number</translation>
    </message>
    <message>
        <source>открыть папку данных</source>
        <translation>open a data folder</translation>
    </message>
    <message>
        <source>перечитать файлы данных (аэропланы, закрылки, страница и масштаб остаются)</source>
        <translation>reload the data files (the aircraft, flaps, page and zoom stay)</translation>
    </message>
    <message>
        <source>закрасить, где какой самолет лучше, или убрать закраску</source>
        <translation>shade where each aircraft is better, or remove the shading</translation>
    </message>
    <message>
        <source>копировать рисунок графика под мышью (или текущей страницы)</source>
        <translation>copy the picture of the chart under the mouse (or of the current page)</translation>
    </message>
    <message>
        <source>копировать данные графика как текст с табуляциями</source>
        <translation>copy the chart&apos;s data as tab-separated text</translation>
    </message>
    <message>
        <source>сохранить рисунок графика (PNG, SVG, PDF)</source>
        <translation>save the chart&apos;s picture (PNG, SVG, PDF)</translation>
    </message>
    <message>
        <source>сохранить все страницы в папку</source>
        <translation>save every page into a folder</translation>
    </message>
    <message>
        <source>напечатать отчет: первая страница, графики и вердикт</source>
        <translation>print the report: first page, charts and verdict</translation>
    </message>
    <message>
        <source>проверить данные: все ошибки и предупреждения всех файлов</source>
        <translation>check the data: every error and warning of every file</translation>
    </message>
    <message>
        <source>вернуть масштаб графика под мышью</source>
        <translation>reset the zoom of the chart under the mouse</translation>
    </message>
    <message>
        <source>эта справка</source>
        <translation>this help</translation>
    </message>
    <message>
        <source>выход из программы</source>
        <translation>quit</translation>
    </message>
    <message>
        <source>Кнопки с полосками</source>
        <translation>Striped buttons</translation>
    </message>
    <message>
        <source>показать или скрыть закрылки (без, 1, 2, 3); нажатая кнопка скрывает свои</source>
        <translation>show or hide a flap setting (none, 1, 2, 3); a pressed button hides its own</translation>
    </message>
    <message>
        <source>Двойной щелчок</source>
        <translation>Double click</translation>
    </message>
    <message>
        <source>открыть график общей страницы крупно; еще раз — назад</source>
        <translation>open an overview chart full size; again to go back</translation>
    </message>
    <message>
        <source>Левая кнопка, тянуть вправо</source>
        <translation>Left button, drag right</translation>
    </message>
    <message>
        <source>увеличить выделенный прямоугольник; влево — вернуть</source>
        <translation>zoom into the rectangle; drag left to reset</translation>
    </message>
    <message>
        <source>Правая кнопка, тянуть</source>
        <translation>Right button, drag</translation>
    </message>
    <message>
        <source>сдвинуть график</source>
        <translation>pan the chart</translation>
    </message>
    <message>
        <source>Правый щелчок</source>
        <translation>Right click</translation>
    </message>
    <message>
        <source>меню графика: копировать, сохранить</source>
        <translation>the chart&apos;s menu: copy, save</translation>
    </message>
    <message>
        <source>Колесо</source>
        <translation>Wheel</translation>
    </message>
    <message>
        <source>масштаб у курсора; с Shift — только ось скорости или скороподъемности, с Ctrl — только вертикальная ось</source>
        <translation>zoom at the cursor; with Shift only the speed or climb axis, with Ctrl only the vertical axis</translation>
    </message>
    <message>
        <source>Мышь над графиком</source>
        <translation>Mouse over a chart</translation>
    </message>
    <message>
        <source>линия, точки на кривых и таблица их значений у курсора</source>
        <translation>a line, points on the curves and a table of their values at the cursor</translation>
    </message>
    <message>
        <source>Синие кривые — первый самолет (левое верхнее дерево), красные — второй. Общая страница показывает четыре графика сразу; на графиках виража у конца каждой кривой подписаны ее закрылки.</source>
        <translation>Blue curves are the first aircraft (the upper tree), red ones the second. The overview shows four charts at once; on the turn charts each curve&apos;s flap setting is written at its end.</translation>
    </message>
    <message>
        <source>На диаграмме угловой скорости пунктир — линии постоянной перегрузки (1 g … 6 g), сплошные — постоянного радиуса виража.</source>
        <translation>On the turn-rate diagram the dashed lines are lines of constant load factor (1 g … 6 g), the solid ones of constant turn radius.</translation>
    </message>
    <message>
        <source>В таблице у курсора на этой диаграмме две перегрузки. «Vω/g» — радиальная: скорость, умноженная на угловую скорость и деленная на g; ее и показывают линии диаграммы (на линии «3-g» — 3.00 g). «n виража» — перегрузка, которую требует правильный вираж, √(1 + (Vω/g)²); ее несут крылья, и она всегда немного больше (3.16 на линии «3-g»).</source>
        <translation>The table at the cursor on this diagram gives two loads. “Vω/g” is the radial one: speed times turn rate divided by g; the diagram&apos;s lines show it (3.00 g on the “3-g” line). “n turn” is the load factor a level turn needs, √(1 + (Vω/g)²); the wings carry it, and it is always a little more (3.16 on the “3-g” line).</translation>
    </message>
    <message>
        <source>Папка данных: %1</source>
        <translation>Data folder: %1</translation>
    </message>
    <message>
        <source>Файл настроек: %1</source>
        <translation>Settings file: %1</translation>
    </message>
    <message>
        <source>Лицензия: %1</source>
        <translation>Licence: %1</translation>
    </message>
    <message>
        <source>не указана</source>
        <translation>not stated</translation>
    </message>
</context>
<context>
    <name>RankingPage</name>
    <message>
        <source>Высота:</source>
        <translation>Altitude:</translation>
    </message>
    <message>
        <source>Скорость:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Взять с графика</source>
        <translation>Take from the chart</translation>
    </message>
    <message>
        <source>Высота или скорость, на которой последний раз стоял курсор над графиком</source>
        <translation>The altitude or speed the mouse was last at over a chart</translation>
    </message>
    <message>
        <source>Лидеры каталога по высоте</source>
        <translation>The catalogue&apos;s leaders by altitude</translation>
    </message>
    <message>
        <source>Лидеры каталога по скорости</source>
        <translation>The catalogue&apos;s leaders by speed</translation>
    </message>
    <message>
        <source>Выберите самолет в верхнем списке: с ним будут сравнены все остальные.</source>
        <translation>Choose an aircraft in the upper list: every other one is ranked against it.</translation>
    </message>
</context>
<context>
    <name>Tfrm_Main</name>
    <message>
        <source>Язык, единицы, справка (F1)</source>
        <translation>Language, units, help (F1)</translation>
    </message>
</context>
<context>
    <name>Units</name>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
    <message>
        <source>ft</source>
        <translation>ft</translation>
    </message>
    <message>
        <source>км/ч</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>kt</source>
        <translation>kt</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>mph</translation>
    </message>
    <message>
        <source>м/с</source>
        <translation>m/s</translation>
    </message>
    <message>
        <source>ft/min</source>
        <translation>ft/min</translation>
    </message>
    <message>
        <source>кг</source>
        <translation>kg</translation>
    </message>
    <message>
        <source>lb</source>
        <translation>lb</translation>
    </message>
    <message>
        <source>с</source>
        <translation>s</translation>
    </message>
    <message>
        <source>°/с</source>
        <translation>°/s</translation>
    </message>
</context>
<context>
    <name>Varnel</name>
    <message>
        <source>… не показано: %1</source>
        <translation>… not shown: %1</translation>
    </message>
    <message>
        <source>вооружение:</source>
        <translation>armament:</translation>
    </message>
    <message>
        <source>макс. скор. в пике</source>
        <translation>max. dive speed</translation>
    </message>
    <message>
        <source>взлетный вес</source>
        <translation>takeoff weight</translation>
    </message>
    <message>
        <source>время виража</source>
        <translation>turn time</translation>
    </message>
    <message>
        <source>скорость виража</source>
        <translation>turn speed</translation>
    </message>
    <message>
        <source>скороподъемность</source>
        <translation>rate of climb</translation>
    </message>
    <message>
        <source>скорость набора</source>
        <translation>climb speed</translation>
    </message>
    <message>
        <source>Макс.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Скороподъемность</source>
        <translation>Rate of climb</translation>
    </message>
    <message>
        <source>Без закрылков</source>
        <translation>No flaps</translation>
    </message>
    <message>
        <source>Закрылки1</source>
        <translation>Flaps 1</translation>
    </message>
    <message>
        <source>Закрылки2</source>
        <translation>Flaps 2</translation>
    </message>
    <message>
        <source>Закрылки3</source>
        <translation>Flaps 3</translation>
    </message>
    <message>
        <source>100м</source>
        <translation>100 m</translation>
    </message>
    <message>
        <source>200м</source>
        <translation>200 m</translation>
    </message>
    <message>
        <source>300м</source>
        <translation>300 m</translation>
    </message>
    <message>
        <source>400м</source>
        <translation>400 m</translation>
    </message>
    <message>
        <source>500м</source>
        <translation>500 m</translation>
    </message>
    <message>
        <source>600м</source>
        <translation>600 m</translation>
    </message>
    <message>
        <source>Скорость (км/ч)</source>
        <translation>Speed (km/h)</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>км/ч</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>Скорость (Км/ч)</source>
        <translation>Speed (km/h)</translation>
    </message>
    <message>
        <source>Км/ч</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>Высота (м)</source>
        <translation>Altitude (m)</translation>
    </message>
    <message>
        <source>Высота</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
    <message>
        <source>Высота(м)</source>
        <translation>Altitude (m)</translation>
    </message>
    <message>
        <source>Скороподъемность (м/с)</source>
        <translation>Rate of climb (m/s)</translation>
    </message>
    <message>
        <source>м/с</source>
        <translation>m/s</translation>
    </message>
    <message>
        <source>Время (сек)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>сек</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Град./сек</source>
        <translation>Deg./s</translation>
    </message>
    <message>
        <source>Макс. истинная скорость на заданной высоте</source>
        <translation>Max. true airspeed at altitude</translation>
    </message>
    <message>
        <source>Макс. скороподъемность на заданной высоте</source>
        <translation>Max. rate of climb at altitude</translation>
    </message>
    <message>
        <source>Скорость набора высоты при постоянной истинной скорости (Выс=0м)</source>
        <translation>Rate of climb at constant true airspeed (Alt=0 m)</translation>
    </message>
    <message>
        <source>Время поворота на высоте 1000м</source>
        <translation>Turn time at 1000 m</translation>
    </message>
    <message>
        <source>Скороподъемность при постоянной истинной скорости (Высота=0м)</source>
        <translation>Rate of climb at constant true airspeed (Altitude=0 m)</translation>
    </message>
    <message>
        <source>Скорость поворота на высоте 1000м</source>
        <translation>Turn time at 1000 m</translation>
    </message>
    <message>
        <source>Мегаграфик</source>
        <translation>Turn-rate diagram</translation>
    </message>
    <message>
        <source>t, сек</source>
        <translation>t, s</translation>
    </message>
    <message>
        <source>R, м</source>
        <translation>R, m</translation>
    </message>
    <message>
        <source>n виража</source>
        <translation>n turn</translation>
    </message>
    <message>
        <source>Скорость 100%</source>
        <translation>Speed 100%</translation>
    </message>
    <message>
        <source>быстрее</source>
        <translation>is faster</translation>
    </message>
    <message>
        <source>Скорость MAX</source>
        <translation>Speed MAX</translation>
    </message>
    <message>
        <source>Скороподъемность 100%</source>
        <translation>Rate of climb 100%</translation>
    </message>
    <message>
        <source>лучше набирает высоту</source>
        <translation>climbs better</translation>
    </message>
    <message>
        <source>Скороподъемность MAX</source>
        <translation>Rate of climb MAX</translation>
    </message>
    <message>
        <source>Скороподъемность при постоянной скорости</source>
        <translation>Rate of climb at constant speed</translation>
    </message>
    <message>
        <source>Время виража</source>
        <translation>Turn time</translation>
    </message>
    <message>
        <source>быстрее выполняет вираж</source>
        <translation>turns in less time</translation>
    </message>
    <message>
        <source>Угловая скорость виража</source>
        <translation>Turn rate</translation>
    </message>
    <message>
        <source>быстрее разворачивается</source>
        <translation>turns faster</translation>
    </message>
    <message>
        <source>град/сек</source>
        <translation>deg/s</translation>
    </message>
    <message>
        <source>без закрылков</source>
        <translation>no flaps</translation>
    </message>
    <message>
        <source>закрылки 1</source>
        <translation>flaps 1</translation>
    </message>
    <message>
        <source>закрылки 2</source>
        <translation>flaps 2</translation>
    </message>
    <message>
        <source>закрылки 3</source>
        <translation>flaps 3</translation>
    </message>
    <message>
        <source>у земли</source>
        <translation>at sea level</translation>
    </message>
    <message>
        <source> (до %1 %2)</source>
        <translation> (up to %1 %2)</translation>
    </message>
    <message>
        <source>только %1 %2</source>
        <translation>only %1 %2</translation>
    </message>
    <message>
        <source>поровну %1</source>
        <translation>even %1</translation>
    </message>
    <message>
        <source>нет данных</source>
        <translation>no data</translation>
    </message>
    <message>
        <source>Сводка</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Лучшие показатели</source>
        <translation>Best figures</translation>
    </message>
    <message>
        <source>Выберите самолеты (--first и --second): здесь будет сказано, кто лучше и где.</source>
        <translation>Choose the aircraft (--first and --second): this will say who is better and where.</translation>
    </message>
    <message>
        <source>Выберите самолет в каждом списке: здесь будет сказано, кто лучше и где.</source>
        <translation>Choose an aircraft in each list: this will say who is better and where.</translation>
    </message>
    <message>
        <source>нижний список</source>
        <translation>lower list</translation>
    </message>
    <message>
        <source>верхний список</source>
        <translation>upper list</translation>
    </message>
    <message>
        <source>Выберите второй самолет (%1), чтобы сравнить его с %2.</source>
        <translation>Choose the second aircraft (%1) to compare it with %2.</translation>
    </message>
    <message>
        <source>Выберите первый самолет (%1), чтобы сравнить его с %2.</source>
        <translation>Choose the first aircraft (%1) to compare it with %2.</translation>
    </message>
    <message>
        <source> (синие кривые)</source>
        <translation> (blue curves)</translation>
    </message>
    <message>
        <source> (красные кривые)</source>
        <translation> (red curves)</translation>
    </message>
    <message>
        <source>самолёты не выбраны</source>
        <translation>no aircraft chosen</translation>
    </message>
    <message>
        <source> · закрылки: </source>
        <translation> · flaps: </translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Общая таблица</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Скорость поворота (Высота=1000м)</source>
        <translation>Turn time (Altitude=1000 m)</translation>
    </message>
    <message>
        <source>Кто лучше</source>
        <translation>Who is better</translation>
    </message>
    <message>
        <source>Кто лучше, сказать нельзя: данные самолета не прочитаны.
</source>
        <translation>Who is better can&apos;t be told: the aircraft&apos;s data could not be read.
</translation>
    </message>
    <message>
        <source>Копировать рисунок</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>Копировать данные</source>
        <translation>Copy data</translation>
    </message>
    <message>
        <source>Сохранить рисунок...</source>
        <translation>Save picture...</translation>
    </message>
    <message>
        <source>Сохранить все страницы...</source>
        <translation>Save all pages...</translation>
    </message>
    <message>
        <source>Сохранить рисунок</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>В папке «%1» уже есть:
%2

Заменить эти файлы?</source>
        <translation>The folder “%1” already holds:
%2

Replace these files?</translation>
    </message>
    <message>
        <source>Сохранить все страницы</source>
        <translation>Save all pages</translation>
    </message>
    <message>
        <source>Кривая	%1	%2</source>
        <translation>Curve	%1	%2</translation>
    </message>
    <message>
        <source>Подпись над рисунком</source>
        <translation>Caption above the picture</translation>
    </message>
    <message>
        <source>Папка данных</source>
        <translation>Data folder</translation>
    </message>
    <message>
        <source> — скрыты (нажмите, чтобы показать)</source>
        <translation> — hidden (click to show)</translation>
    </message>
    <message>
        <source> — показаны (нажмите, чтобы скрыть)</source>
        <translation> — shown (click to hide)</translation>
    </message>
    <message>
        <source>Папка не читается: %1</source>
        <translation>The folder can&apos;t be read: %1</translation>
    </message>
    <message>
        <source>В папке больше %1 записей: показаны папки только из первых %1.</source>
        <translation>The folder holds more than %1 entries: only folders among the first %1 are shown.</translation>
    </message>
    <message>
        <source>Вверх</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Новая папка</source>
        <translation>New folder</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Имя новой папки:</source>
        <translation>Name of the new folder:</translation>
    </message>
    <message>
        <source>Введите путь к папке.</source>
        <translation>Type the path of a folder.</translation>
    </message>
    <message>
        <source>ОК выберет папку «%1».</source>
        <translation>OK chooses the folder “%1”.</translation>
    </message>
    <message>
        <source>«%1» — не папка.</source>
        <translation>“%1” is not a folder.</translation>
    </message>
    <message>
        <source>Папки «%1» нет: ОК её создаст.</source>
        <translation>There is no folder “%1”: OK creates it.</translation>
    </message>
    <message>
        <source>Папки «%1» нет.</source>
        <translation>There is no folder “%1”.</translation>
    </message>
    <message>
        <source>Папки «%1» нет. Создать её?</source>
        <translation>There is no folder “%1”. Create it?</translation>
    </message>
    <message>
        <source>Папка «%1» не создана: %2</source>
        <translation>The folder “%1” was not created: %2</translation>
    </message>
    <message>
        <source>в имени папки не может быть «/»</source>
        <translation>a folder&apos;s name can&apos;t hold “/”</translation>
    </message>
    <message>
        <source>Файлы изменены, F5 — перечитать</source>
        <translation>Files changed, F5 to reload</translation>
    </message>
    <message>
        <source>Файлы данных изменились на диске; F5 перечитает их.</source>
        <translation>The data files changed on disk; F5 reloads them.</translation>
    </message>
    <message>
        <source>Закрылки 1</source>
        <translation>Flaps 1</translation>
    </message>
    <message>
        <source>Закрылки 2</source>
        <translation>Flaps 2</translation>
    </message>
    <message>
        <source>Закрылки 3</source>
        <translation>Flaps 3</translation>
    </message>
    <message>
        <source>Выход из программы (Ctrl+Q)</source>
        <translation>Quit (Ctrl+Q)</translation>
    </message>
    <message>
        <source>Открыть папку данных (Ctrl+O)</source>
        <translation>Open data folder (Ctrl+O)</translation>
    </message>
    <message>
        <source>Перечитать файлы данных (F5)</source>
        <translation>Reload data files (F5)</translation>
    </message>
    <message>
        <source>Закрасить, где какой самолет лучше (Ctrl+D)</source>
        <translation>Shade where each aircraft is better (Ctrl+D)</translation>
    </message>
    <message>
        <source>… продолжение в отчете (varnel --report)</source>
        <translation>… continued in the report (varnel --report)</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Сохранить отчет...</source>
        <translation>Save report...</translation>
    </message>
    <message>
        <source>Сохранить отчет</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>Скорость по высоте, %1</source>
        <translation>Speed by altitude, %1</translation>
    </message>
    <message>
        <source>Скороподъемность по высоте, %1</source>
        <translation>Rate of climb by altitude, %1</translation>
    </message>
    <message>
        <source>Высота, %1</source>
        <translation>Altitude, %1</translation>
    </message>
    <message>
        <source>повторяет предыдущее</source>
        <translation>repeats the one before</translation>
    </message>
    <message>
        <source>идет не по порядку после %1</source>
        <translation>is out of order after %1</translation>
    </message>
    <message>
        <source>высота %1 %2: кривые по высоте повернут назад</source>
        <translation>altitude %1 %2: the curves by altitude will turn back</translation>
    </message>
    <message>
        <source>скорость %1 %2: кривые по скорости повернут назад</source>
        <translation>speed %1 %2: the curves by speed will turn back</translation>
    </message>
    <message>
        <source>в строке значения дальше строки скоростей (%1 лишних): графики их не покажут</source>
        <translation>the row has values beyond the speed row (%1 extra): the charts will not show them</translation>
    </message>
    <message>
        <source>таблица пуста: графиков по высоте у этого самолета не будет</source>
        <translation>the table is empty: this aircraft will have no charts by altitude</translation>
    </message>
    <message>
        <source>таблица пуста: графиков по скорости у этого самолета не будет</source>
        <translation>the table is empty: this aircraft will have no charts by speed</translation>
    </message>
    <message>
        <source>ключ «%1» деревья не знают, они знают «%2»: строку пропустят</source>
        <translation>the trees don&apos;t know the key “%1”, they know “%2”: the row will be skipped</translation>
    </message>
    <message>
        <source>имя отличается от «%1» только регистром букв или кодировкой: в деревьях будут оба, и по имени их не различить</source>
        <translation>the name differs from “%1” only in letter case or encoding: both will be in the trees, and their names won&apos;t tell them apart</translation>
    </message>
    <message>
        <source>имя не оканчивается на _turn.txt: файл не читается</source>
        <translation>the name does not end in _turn.txt: the file is not read</translation>
    </message>
    <message>
        <source>нет файла скоростей %1: самолета нет в деревьях, файл не читается</source>
        <translation>no speed file %1: the aircraft is not in the trees, the file is not read</translation>
    </message>
    <message>
        <source>Сравнение летных характеристик: %1</source>
        <translation>Flight performance compared: %1</translation>
    </message>
    <message>
        <source>Не удалось начать печать отчета.</source>
        <translation>The report could not be started on the printer.</translation>
    </message>
    <message>
        <source>Страница %1 из %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>закр. 0</source>
        <translation>flaps 0</translation>
    </message>
    <message>
        <source>закр. 1</source>
        <translation>flaps 1</translation>
    </message>
    <message>
        <source>закр. 2</source>
        <translation>flaps 2</translation>
    </message>
    <message>
        <source>закр. 3</source>
        <translation>flaps 3</translation>
    </message>
    <message>
        <source>Закрылки: %1</source>
        <translation>Flaps: %1</translation>
    </message>
    <message>
        <source>Папка данных: %1</source>
        <translation>Data folder: %1</translation>
    </message>
    <message>
        <source>Дата: %1</source>
        <translation>Date: %1</translation>
    </message>
    <message>
        <source>Программа: Varnel %1</source>
        <translation>Program: Varnel %1</translation>
    </message>
    <message>
        <source>ошибка</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Лидеры каталога по высоте</source>
        <translation>The catalogue&apos;s leaders by altitude</translation>
    </message>
    <message>
        <source>Лидеры каталога по скорости</source>
        <translation>The catalogue&apos;s leaders by speed</translation>
    </message>
    <message>
        <source>Скорость, %1</source>
        <translation>Speed, %1</translation>
    </message>
    <message>
        <source>Самолет</source>
        <translation>Aircraft</translation>
    </message>
    <message>
        <source>Побед</source>
        <translation>Wins</translation>
    </message>
    <message>
        <source>Рейтинг</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>
%1: %2, строка %3</source>
        <translation>
%1: %2, row %3</translation>
    </message>
    <message>
        <source>, столбец %1</source>
        <translation>, column %1</translation>
    </message>
    <message>
        <source>между ключом %1 и числом стоит «%2», а не «: »: прочитано %3</source>
        <translation>“%2” stands between the key %1 and its number, not “: ”: read as %3</translation>
    </message>
    <message>
        <source>это не папка</source>
        <translation>not a folder</translation>
    </message>
    <message>
        <source>папку не прочитать (%1): ее файлы не читаются</source>
        <translation>the folder can&apos;t be read (%1): its files are not read</translation>
    </message>
    <message>
        <source>папку никто не читает: ее имя должно быть «%1»</source>
        <translation>no one reads this folder: its name should be “%1”</translation>
    </message>
    <message>
        <source>значения разделены пробелами, а нужно табуляцией</source>
        <translation>the values are separated by spaces, not tabs</translation>
    </message>
    <message numerus="yes">
        <source>значений в строке: %n; нужно 5, разделенных табуляцией</source>
        <translation>
            <numerusform>the row has %n value; 5 are needed, separated by tabs</numerusform>
            <numerusform>the row has %n values; 5 are needed, separated by tabs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>строк в таблице: %n из 6</source>
        <translation>
            <numerusform>the table has %n row of 6</numerusform>
            <numerusform>the table has %n rows of 6</numerusform>
        </translation>
    </message>
    <message>
        <source>на %1</source>
        <translation>at %1</translation>
    </message>
    <message>
        <source>при %1</source>
        <translation>at %1</translation>
    </message>
    <message>
        <source>Δ, %1</source>
        <translation>Δ, %1</translation>
    </message>
    <message>
        <source>от %1 до %2</source>
        <translation>from %1 to %2</translation>
    </message>
    <message>
        <source>выше %1 — только %2</source>
        <translation>above %1 — only %2</translation>
    </message>
    <message>
        <source>Папка не отслеживается, F5 — перечитать</source>
        <translation>Folder not watched, F5 to reload</translation>
    </message>
    <message>
        <source>Система не дает следить за файлами папки данных (%1): изменения на диске видны только после F5.</source>
        <translation>The system allows no watch on the data folder&apos;s files (%1): changes on disk show only after F5.</translation>
    </message>
    <message>
        <source>%1 %2 %3%4</source>
        <comment>the first band: who leads, the measure&apos;s verb, where, by how much</comment>
        <translation>%1 %2 %3%4</translation>
    </message>
    <message>
        <source>выше — %1%2</source>
        <comment>who leads above the bands before, by how much</comment>
        <translation>above — %1%2</translation>
    </message>
    <message>
        <source>выше — поровну</source>
        <translation>above — even</translation>
    </message>
    <message>
        <source>%1 — %2%3</source>
        <comment>where, who leads, by how much</comment>
        <translation>%1 — %2%3</translation>
    </message>
    <message>
        <source>%1 — только %2</source>
        <translation>%1 — only %2</translation>
    </message>
    <message>
        <source>%1 — поровну</source>
        <translation>%1 — even</translation>
    </message>
    <message numerus="yes">
        <source>… и ещё %n полос</source>
        <translation>
            <numerusform>… and %n more band</numerusform>
            <numerusform>… and %n more bands</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <comment>a pair&apos;s sentence: the pair, what its bands say</comment>
        <translation>%1: %2.</translation>
    </message>
</context>
<context>
    <name>ViewMenu</name>
    <message>
        <source>Метрические: м, км/ч, м/с</source>
        <translation>Metric: m, km/h, m/s</translation>
    </message>
    <message>
        <source>Британские: ft, mph, ft/min</source>
        <translation>Imperial: ft, mph, ft/min</translation>
    </message>
    <message>
        <source>Узлы: ft, kt, ft/min</source>
        <translation>Knots: ft, kt, ft/min</translation>
    </message>
    <message>
        <source>Клавиши и мышь</source>
        <translation>Keys and mouse</translation>
    </message>
    <message>
        <source>О программе Varnel</source>
        <translation>About Varnel</translation>
    </message>
</context>
</TS>
