<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
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
        <source>
%1: %2, row %3</source>
        <translation>
%1: %2, row %3</translation>
    </message>
    <message>
        <source>, column %1</source>
        <translation>, column %1</translation>
    </message>
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
        <translation>Turn rate at 1000 m</translation>
    </message>
    <message>
        <source>Мегаграфик</source>
        <translation>Megachart</translation>
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
        <source>на %1 м</source>
        <translation>at %1 m</translation>
    </message>
    <message>
        <source>при %1 км/ч</source>
        <translation>at %1 km/h</translation>
    </message>
    <message>
        <source>полоса</source>
        <translation>band</translation>
    </message>
    <message>
        <source>полосы</source>
        <translation>bands</translation>
    </message>
    <message>
        <source>полос</source>
        <translation>bands</translation>
    </message>
    <message>
        <source>от %1 до %2 %3</source>
        <translation>from %1 to %2 %3</translation>
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
        <source>выше %1 м — только %2</source>
        <translation>above %1 m — only %2</translation>
    </message>
    <message>
        <source>выше</source>
        <translation>above</translation>
    </message>
    <message>
        <source>только </source>
        <translation>only </translation>
    </message>
    <message>
        <source>поровну</source>
        <translation>even</translation>
    </message>
    <message>
        <source>… и ещё %1 %2</source>
        <translation>… and %1 more %2</translation>
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
        <source>Скорость по высоте, км/ч</source>
        <translation>Speed by altitude, km/h</translation>
    </message>
    <message>
        <source>Скороподъемность по высоте, м/с</source>
        <translation>Rate of climb by altitude, m/s</translation>
    </message>
    <message>
        <source>Высота, м</source>
        <translation>Altitude, m</translation>
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
        <translation>Turn rate (Altitude=1000 m)</translation>
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
</context>
</TS>
